// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvex::platform {

/// The version texts a program file carries (UTF-8).
struct VersionTexts {
    std::string internalName;
    std::string fileVersion;
    std::string companyName;
    std::string fileDescription;
    std::string legalCopyright;
    std::string homepage;
    std::string comments;
};

/// The texts as stored (not trimmed) and the pre-release flag.
struct VersionFields {
    VersionTexts texts;
    bool preRelease = false;
};

/// The version fields of a program file, or nothing when it has none. On POSIX they are read from
/// the ELF section ".talvex_version" that every program we build carries; a file that is not ELF,
/// is truncated or contradicts itself gives nothing.
[[nodiscard]] std::optional<VersionFields> ReadVersionFields(const std::string& fileName);

/// The fields from the contents of a version section; nothing when the contents are not one.
[[nodiscard]] std::optional<VersionFields> ParseVersionSection(std::string_view contents);

} // namespace talvex::platform
