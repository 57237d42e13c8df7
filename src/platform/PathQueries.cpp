// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PathQueries.h"

#include <filesystem>
#include <system_error>

#include "platform/PathText.h"

namespace talvex::platform {
namespace {

// The error-code overload: a name the system refuses (too long, a forbidden character) is
// "not there", never an exception.
std::filesystem::file_status StatusOf(std::string_view utf8) {
    if (utf8.empty()) {
        return std::filesystem::file_status(std::filesystem::file_type::not_found);
    }
    std::error_code ignored;
    return std::filesystem::status(PathFromUtf8(utf8), ignored);
}

} // namespace

bool PathExists(std::string_view utf8) {
    return std::filesystem::exists(StatusOf(utf8));
}

bool IsRegularFile(std::string_view utf8) {
    return std::filesystem::is_regular_file(StatusOf(utf8));
}

bool IsFolder(std::string_view utf8) {
    return std::filesystem::is_directory(StatusOf(utf8));
}

} // namespace talvex::platform
