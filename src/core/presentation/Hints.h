// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options/Control.h"

namespace talvex::presentation {

/// How a job window shows the explanations of its controls.
enum class HintMode {
    Plain,   ///< ordinary hints
    Balloon, ///< balloon tooltips titled with the tab page
};

/// The explanation of a control (German, untranslated; translate with tr() when shown), or nullptr
/// when the control has none in that mode. Option boxes explain themselves with the description
/// the job file carries behind their switch; their value fields share it. chb_FID and
/// chb_LUNICODE are explained only as plain hints.
[[nodiscard]] const char* HintText(options::Control control, HintMode mode);

} // namespace talvex::presentation
