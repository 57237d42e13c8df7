// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "platform/VersionFields.h"

namespace talvex {

/// The version texts of a program file, trimmed.
using VersionInfo = platform::VersionTexts;

/// Reads the version texts of a program file. The file version comes dotted without blanks
/// ("3, 7, 65, 123" gives "3.7.65.123"); with `formatVersion` it is shortened to "Version 3.7", or
/// for a pre-release to "Build 65". Returns false when the file has no version information (the info
/// is then left as it was) or when nothing but the description is filled in.
[[nodiscard]] bool ReadVersionInfo(const std::string& fileName, bool formatVersion, VersionInfo& info);

/// The formatted file version ("Version 3.7", "Build 65"), or the empty text when the file has none.
[[nodiscard]] std::string FileVersionText(const std::string& fileName);

/// The short text of a dotted four-part version: "Version " and the first two parts, or for a
/// pre-release "Build " and the third part. A version of fewer than three parts counts as padded
/// with zeros to four ("3.7" gives "Version 3.7", a pre-release "1" gives "Build 0").
[[nodiscard]] std::string FormatFileVersion(std::string_view dottedVersion, bool preRelease);

} // namespace talvex
