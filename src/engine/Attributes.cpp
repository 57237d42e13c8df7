// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Attributes.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>

#include <sys/stat.h>
#include <sys/xattr.h>

namespace robocopy {

namespace {

std::atomic<bool> unsupportedSeen{false};

int Checked(int error) {
    if (error == ENOTSUP || error == EOPNOTSUPP) {
        unsupportedSeen = true;
    }
    return error;
}

struct Letter {
    char letter;
    std::uint32_t bit;
};
constexpr auto kLetters = std::to_array<Letter>({{'R', kAttrReadOnly},
                                                 {'A', kAttrArchive},
                                                 {'S', kAttrSystem},
                                                 {'H', kAttrHidden},
                                                 {'C', kAttrCompressed},
                                                 {'N', kAttrNotIndexed},
                                                 {'E', kAttrEncrypted},
                                                 {'T', kAttrTemporary},
                                                 {'O', kAttrOffline}});

std::uint32_t Little32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

// The binary record: a 16-bit version, the same version again as the record's 32-bit level, then the
// fields; from version 2 on the attributes follow a word of flags that says which fields are valid.
std::optional<std::uint32_t> DecodeRecord(std::string_view record) {
    if (record.size() < 10) {
        return std::nullopt;
    }
    const auto version = static_cast<std::uint32_t>(static_cast<unsigned char>(record[0]) |
                                                    (static_cast<unsigned char>(record[1]) << 8));
    if (version < 1 || version > 5 || Little32(record, 2) != version) {
        return std::nullopt;
    }
    const std::size_t at = version == 1 ? 6 : 10;
    if (record.size() < at + 4) {
        return std::nullopt;
    }
    return Little32(record, at);
}

StoredAttributes FromValue(ssize_t size, const std::array<char, 256>& buffer) {
    StoredAttributes result;
    if (size < 0) {
        result.error = errno == ENODATA ? 0 : Checked(errno);
        return result;
    }
    if (const auto bits = DecodeDosAttrib(std::string_view(buffer.data(), static_cast<std::size_t>(size)))) {
        result.bits = *bits;
        result.stored = true;
    }
    return result;
}

} // namespace

std::optional<std::uint32_t> ParseAttributeLetters(std::string_view letters) {
    std::uint32_t bits = 0;
    for (const char c : letters) {
        const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        bool known = false;
        for (const Letter& letter : kLetters) {
            if (letter.letter == upper) {
                bits |= letter.bit;
                known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
    }
    return bits;
}

std::optional<std::uint32_t> DecodeDosAttrib(std::string_view value) {
    if (value.starts_with("0x") || value.starts_with("0X")) {
        const std::string_view digits =
            value.substr(2, value.find('\0') == std::string_view::npos ? std::string_view::npos : value.find('\0') - 2);
        std::uint32_t bits = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16);
        if (error == std::errc() && end == digits.data() + digits.size() && !digits.empty()) {
            return bits;
        }
        return std::nullopt;
    }
    // An empty hex string in front of the record, or the record alone as the oldest writers left it.
    if (!value.empty() && value.front() == '\0') {
        if (auto bits = DecodeRecord(value.substr(1))) {
            return bits;
        }
    }
    return DecodeRecord(value);
}

std::string EncodeDosAttrib(std::uint32_t attributes) {
    std::array<char, 16> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "0x%x", attributes);
    return {buffer.data(), static_cast<std::size_t>(length) + 1};
}

StoredAttributes ReadDosAttrib(int fd) {
    std::array<char, 256> buffer{};
    return FromValue(::fgetxattr(fd, kDosAttribName, buffer.data(), buffer.size()), buffer);
}

StoredAttributes ReadDosAttribAt(const std::string& path, bool followLink) {
    std::array<char, 256> buffer{};
    const ssize_t size = followLink ? ::getxattr(path.c_str(), kDosAttribName, buffer.data(), buffer.size())
                                    : ::lgetxattr(path.c_str(), kDosAttribName, buffer.data(), buffer.size());
    return FromValue(size, buffer);
}

int WriteDosAttrib(int fd, std::uint32_t attributes) {
    const std::string value = EncodeDosAttrib(attributes);
    return ::fsetxattr(fd, kDosAttribName, value.data(), value.size(), 0) == 0 ? 0 : Checked(errno);
}

int WriteDosAttribAt(const std::string& path, bool followLink, std::uint32_t attributes) {
    const std::string value = EncodeDosAttrib(attributes);
    const int result = followLink ? ::setxattr(path.c_str(), kDosAttribName, value.data(), value.size(), 0)
                                  : ::lsetxattr(path.c_str(), kDosAttribName, value.data(), value.size(), 0);
    return result == 0 ? 0 : Checked(errno);
}

std::uint32_t FileAttributes(std::string_view name, mode_t mode, std::uint32_t stored) {
    std::uint32_t bits = stored & ~kAttrNormal;
    if ((mode & 0222) == 0) {
        bits |= kAttrReadOnly;
    }
    if (name.starts_with('.')) {
        bits |= kAttrHidden;
    }
    if (S_ISDIR(mode)) {
        bits |= kAttrDirectory;
    }
    return bits == 0 ? kAttrNormal : bits;
}

bool AttributesSelected(std::uint32_t attributes, const Options& options) {
    if ((options.archiveOnly || options.resetArchive) && (attributes & kAttrArchive) == 0) {
        return false;
    }
    if (options.includeAttributes != 0 && (attributes & options.includeAttributes) == 0) {
        return false;
    }
    return (attributes & options.excludeAttributes) == 0;
}

bool AttributesUnsupportedSeen() {
    return unsupportedSeen.load();
}

} // namespace robocopy
