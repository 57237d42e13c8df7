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
#include "platform/Unicode.h"

namespace talvex::formats {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

// Job files from Windows are in its ANSI code page, for the German systems this program comes from
// Windows-1252. Where the system code page is UTF-8, bytes that are no valid UTF-8 are such a file:
// read as Windows-1252 they keep their umlauts instead of turning into replacement characters.
std::string Windows1252ToUtf8(std::string_view bytes) {
    // 0x80 to 0x9F; the five unassigned bytes keep their own code, as Windows converts them.
    static constexpr std::array<char16_t, 32> kHigh = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : static_cast<char16_t>(byte));
    }
    return platform::Utf16ToUtf8(text);
}

std::string FromCodePage(std::string_view bytes) {
#ifndef _WIN32
    if (platform::SanitizeUtf8(bytes) != bytes) {
        return Windows1252ToUtf8(bytes);
    }
#endif
    return platform::FromSystemCodePage(bytes);
}

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
        text = FromCodePage(bytes);
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
    if (std::filesystem::is_directory(path, ignored)) {
        return ErrorFor(path, EISDIR);
    }
    errno = 0;
    std::ifstream file(path, std::ios::binary);
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
