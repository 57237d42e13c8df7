// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "core/options/Control.h"
#include "core/options/SwitchRegistry.h"
#include "core/services/Translate.h"

namespace talvex::options {

/// Per-control facts: name, kind, place and the state of a freshly created job window.
struct ControlInfo {
    Control control;
    std::string_view name;
    ControlKind kind;
    Tab tab;
    std::string_view group; ///< e.g. "grb_Funktionen"; empty for controls outside a group box
    bool freshTicked;
    bool freshEnabled;
    bool freshReadOnly;
    const char* freshText; ///< edt_Imkisofs: German placeholder, stored translated; others verbatim
};

/// All controls in creation order; `Controls()[ToIndex(c)].control == c`.
[[nodiscard]] std::span<const ControlInfo> Controls();

[[nodiscard]] const ControlInfo& InfoOf(Control control);

/// The text edt_Imkisofs shows when no mkisofs is chosen (German; translate when shown).
inline constexpr const char* kMkisofsPlaceholder = N_("Speicherort der mkisofs.exe");

/// The text lbl_SDE and lbl_DDE hold before a folder is chosen. The model keeps it in German as a
/// marker; a view shows tr() of it.
inline constexpr const char* kNoFileSystemLabel = N_("k. A.");

} // namespace talvex::options
