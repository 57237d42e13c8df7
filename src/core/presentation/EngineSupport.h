// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options/Control.h"
#include "core/services/Translate.h"

namespace talvex::presentation {

/// The note added to the hint of a box whose switch the bundled engine accepts but does not carry
/// out (German; translate with tr() when shown).
inline constexpr const char* kIgnoredByEngineNote = N_("Die mitgelieferte Robocopy-Engine führt diesen Schalter "
                                                       "noch nicht aus.");

/// True when `control` is the box of a switch, or a letter box of one, that the bundled engine
/// accepts without carrying it out. Read from the engine's own switch list, so the note goes away
/// by itself once the engine carries the switch out.
[[nodiscard]] bool IgnoredByBundledEngine(options::Control control);

} // namespace talvex::presentation
