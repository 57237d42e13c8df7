// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/TextLines.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "platform/CodePage.h"
#include "platform/PathText.h"
#include "platform/Unicode.h"

namespace talvex::formats {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

Error ErrorFor(const std::string& path, int errorNumber) {
    return Error::FromFile(platform::FileError{path, errorNumber, std::strerror(errorNumber)});
}

} // namespace

LineList DecodeTextLines(std::string_view bytes) {
    std::string text;
    if (bytes.starts_with(kUtf8Mark)) {
        text = platform::SanitizeUtf8(bytes.substr(kUtf8Mark.size()));
    } else if (bytes.starts_with(kUtf16LeMark)) {
        text = platform::Utf16LeToUtf8(bytes.substr(kUtf16LeMark.size()));
    } else {
        text = platform::FromFileCodePage(bytes);
    }

    LineList lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.emplace_back(text, start);
            break;
        }
        lines.emplace_back(text, start, end - start);
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

std::string EncodeTextLines(const LineList& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += platform::ToSystemCodePage(line);
        bytes += "\r\n";
    }
    return bytes;
}

Result<LineList> LoadTextLines(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(platform::PathFromUtf8(path), ignored)) {
        return ErrorFor(path, EISDIR);
    }
    errno = 0;
    std::ifstream file(platform::PathFromUtf8(path), std::ios::binary);
    if (!file) {
        return ErrorFor(path, errno != 0 ? errno : ENOENT);
    }
    std::string bytes;
    std::array<char, 65536> buffer{};
    while (file.read(buffer.data(), buffer.size()) || file.gcount() > 0) {
        bytes.append(buffer.data(), static_cast<std::size_t>(file.gcount()));
        if (bytes.size() > kMaxTextFileSize) {
            return ErrorFor(path, EFBIG);
        }
    }
    if (file.bad()) {
        return ErrorFor(path, EIO);
    }
    return DecodeTextLines(bytes);
}

Status SaveTextLines(const std::string& path, const LineList& lines) {
    platform::FileIo io;
    return SaveTextLines(path, lines, io);
}

Status SaveTextLines(const std::string& path, const LineList& lines, platform::FileIo& io) {
    if (const std::optional<platform::FileError> error =
            platform::WriteFileAtomically(path, EncodeTextLines(lines), io)) {
        return Error::FromFile(*error);
    }
    return {};
}

} // namespace talvex::formats
