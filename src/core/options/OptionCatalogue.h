// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/options/Control.h"
#include "core/services/Translate.h"

namespace talvex::options {

/// How an option takes its argument.
enum class ArgumentKind : unsigned char {
    Flag,      ///< no argument
    FixedText, ///< no argument of its own, but a fixed text behind the switch (/DCOPY:T)
    Number,    ///< decimal number in one edit field, only trimmed by writers
    Letters,   ///< concatenation of the ticked letter boxes in written order
    TimeRange, ///< two edit fields, hhmm each (/RH)
    File,      ///< one edit field holding a file path (the four log options share edt_LLOG)
    List,      ///< a block of the name-list text red_FListe
    Path,      ///< a folder path field; the box means "not in the job file" (/NOSD, /NODD)
};

/// Where the comment text behind an option line comes from.
enum class CommentKind : unsigned char {
    Description,     ///< a fixed description text
    Hint,            ///< the hint text of the box; here the standard hint
    NameListSection, ///< the title of the name-list section, shared by /IF, /XF, /ID, /XD
};

/// The ticked state that `Reset` leaves.
enum class ResetTick : unsigned char {
    Unticked,
    Ticked,
    TickedWhenPathWasEmpty,  ///< /NOSD, /NODD: the handler ticks the box again while the path is empty
    TickedWhenUnicodeNeeded, ///< /UNICODE: the handler ticks it again while a needs-Unicode flag is set
};

/// One letter box of a letters option.
struct Letter {
    char letter;
    Control box;
};

/// One Robocopy option of the catalogue.
struct OptionInfo {
    Control box;                  ///< the option's check box
    std::string_view switchName;  ///< upper case, without argument: "/MIR", "/LEV", "/COPY", "/DCOPY", "/NOSD"
    std::string_view fixedText;   ///< text behind the colon for FixedText ("T" of /DCOPY:T), else empty
    std::string_view unsetSwitch; ///< Path options: the switch written when the box is not set ("/SD"), else empty
    ArgumentKind argument;
    std::span<const Control> fields; ///< edit fields holding the argument (empty for flags and lists)
    std::span<const Letter> letters; ///< letter boxes in written order (Letters only)
    ResetTick resetTick;
    bool resetDisabled;  ///< `Reset` leaves the box disabled (/TEE)
    const char* comment; ///< German text marked with N_(); translate with tr() when used
    CommentKind commentKind;
};

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

/// All options in the order of the design's catalogue table (tab pages and groups).
[[nodiscard]] std::span<const OptionInfo> Options();

/// The option whose box is `box`, or nullptr when the control is not an option box.
[[nodiscard]] const OptionInfo* FindOption(Control box);

/// The option whose switch is `switchName` (compared without regard to ASCII letter case, without
/// argument: "/mir", "/LEV"), or nullptr. "/SD" and "/DD" are not switches of their own: see
/// `OptionInfo::unsetSwitch`.
[[nodiscard]] const OptionInfo* FindOptionBySwitch(std::string_view switchName);

/// The letter boxes of a letters option in written order; empty for other controls.
[[nodiscard]] std::span<const Letter> LettersOf(Control optionBox);

/// The option box that a letter box belongs to, or the control itself when it is no letter box.
[[nodiscard]] Control OptionOfLetter(Control letterBox);

/// The comment of an option in the current language (tr() of `OptionInfo::comment`).
[[nodiscard]] std::string TranslatedComment(const OptionInfo& option);

/// The comment text of name-list blocks (the section title the job file writer uses).
inline constexpr const char* kNameListSectionTitle = N_("Liste ein- und auszuschließende Dateien und Verzeichnisse");

/// The text edt_Imkisofs shows when no mkisofs is chosen (German; translate when shown).
inline constexpr const char* kMkisofsPlaceholder = N_("Speicherort der mkisofs.exe");

/// The text lbl_SDE and lbl_DDE hold before a folder is chosen. The model keeps it in German as a
/// marker; a view shows tr() of it.
inline constexpr const char* kNoFileSystemLabel = N_("k. A.");

} // namespace talvex::options
