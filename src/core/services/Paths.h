// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "platform/SystemNames.h"

namespace talvex {

/// How a path separates its parts. Windows paths ("C:\a\b", "\\server\share\a") stay usable on
/// every platform, because job files and batch files carry them.
enum class PathStyle {
    Windows, ///< "\" separates (a "/" is accepted as well), a drive part is "C:" or "\\server\share"
    Posix,   ///< "/" separates, the root "/" is the drive part
};

inline constexpr PathStyle kNativePathStyle = platform::kWindowsPaths ? PathStyle::Windows : PathStyle::Posix;

/// The separator a path of this style is written with.
[[nodiscard]] char PathSeparator(PathStyle style = kNativePathStyle);
[[nodiscard]] bool IsPathSeparator(char c, PathStyle style = kNativePathStyle);

/// The part after the last separator (on Windows also after a drive colon): "d.iso" of "C:\a\d.iso".
[[nodiscard]] std::string_view FileNamePart(std::string_view path, PathStyle style = kNativePathStyle);

/// Everything before the file name, with its trailing separator: "C:\a\" of "C:\a\d.iso".
/// FolderPart(p) + FileNamePart(p) is always p.
[[nodiscard]] std::string_view FolderPart(std::string_view path, PathStyle style = kNativePathStyle);

/// Removes one trailing separator. The POSIX root "/" is kept, because an empty path would name the
/// current folder; a Windows drive root "C:\" becomes "C:".
[[nodiscard]] std::string_view ExcludeTrailingSeparator(std::string_view path, PathStyle style = kNativePathStyle);

/// Appends a separator unless the path already ends with one. An empty path stays empty.
[[nodiscard]] std::string IncludeTrailingSeparator(std::string_view path, PathStyle style = kNativePathStyle);

/// The drive letter with its colon ("C:"), the server and share of a network path ("\\server\share"),
/// or "/" for an absolute POSIX path; empty when the path has none.
[[nodiscard]] std::string_view DrivePart(std::string_view path, PathStyle style = kNativePathStyle);

/// True when the path starts at a drive, a share or (POSIX) the root, so it does not depend on the
/// current folder.
[[nodiscard]] bool HasDrivePart(std::string_view path, PathStyle style = kNativePathStyle);

/// folder + separator + name, with exactly one separator between them. An empty folder gives the name.
[[nodiscard]] std::string JoinPath(std::string_view folder, std::string_view name, PathStyle style = kNativePathStyle);

} // namespace talvex
