// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

// How this system spells paths and program files, for the rules of the core that differ with it.
namespace talvex::platform {

#ifdef _WIN32
/// The system's own paths are Windows paths ("C:\a\b").
inline constexpr bool kWindowsPaths = true;
/// What ends a folder name in the paths of a job (log files, job file names): job files carry
/// Windows paths everywhere, and where the system's own separator is "/" that one counts too.
inline constexpr std::string_view kFolderSeparators = "\\";
/// The robocopy program file, as it is copied beside a saved job.
inline constexpr std::string_view kRobocopyFileName = "robocopy.exe";
/// The file names a mkisofs program may have here, the first one being its own.
inline constexpr std::array<std::string_view, 1> kMkisofsFileNames = {"mkisofs.exe"};
#else
inline constexpr bool kWindowsPaths = false;
inline constexpr std::string_view kFolderSeparators = "\\/";
inline constexpr std::string_view kRobocopyFileName = "robocopy";
// Debian's genisoimage provides mkisofs; xorriso's emulation takes the same options.
inline constexpr std::array<std::string_view, 3> kMkisofsFileNames = {"mkisofs", "genisoimage", "xorrisofs"};
#endif

} // namespace talvex::platform
