// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace talvex::platform {

/// The burning tool an installer recorded for the current user: ImgBurn ("Software\ImgBurn",
/// value "InstallDirectory", program ImgBurn.exe), else DVD Decrypter ("Software\DVD Decrypter",
/// DVDDecrypter.exe). Only a program file that exists counts. Nothing on systems that keep no
/// such record (POSIX), where the burning adapter is looked for on the search path instead.
[[nodiscard]] std::optional<std::string> InstalledBurningTool();

} // namespace talvex::platform
