// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PathText.h"

namespace talvex::platform {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return {std::u8string(utf8.begin(), utf8.end())};
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace talvex::platform
