// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/services/UserInterface.h"
#include "core/settings/IniStore.h"

namespace talvex::settings {

/// Writes a settings store back to its file (at shutdown for "Talvex.ini", on confirming the name
/// list editor for "TalvexListe.ini"). When that fails the user is told which file and why; the
/// old file stays intact. Returns true when the file was written.
[[nodiscard]] bool SaveSettings(const IniStore& store, UserInterface& ui);
[[nodiscard]] bool SaveSettings(const IniStore& store, UserInterface& ui, platform::FileIo& io);

} // namespace talvex::settings
