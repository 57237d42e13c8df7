// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "core/options/Control.h"
#include "core/services/Translate.h"

namespace talvex::options {

/// How an option takes its argument.
enum class ArgumentKind : unsigned char {
    Flag,          ///< no argument
    FixedText,     ///< a fixed text behind the switch (/DCOPY:T) unless its field holds other letters
    Number,        ///< decimal number in one edit field, only trimmed by writers
    NumberAsTyped, ///< as Number, but written as typed, blanks included (/LEV)
    PaddedNumber,  ///< as Number; the job file pads it to five characters so the comments line up (/R, /W)
    Letters,       ///< concatenation of the ticked letter boxes in written order
    TimeRange,     ///< two edit fields, hhmm each (/RH)
    File,          ///< one edit field holding a file path (the four log options share edt_LLOG)
    List,          ///< a block of the name-list text red_FListe
    Path,          ///< a folder path field; the box means "not in the job file" (/NOSD, /NODD)
};

/// Where the comment text behind an option line comes from.
enum class CommentKind : unsigned char {
    Description,     ///< a fixed description text
    Hint,            ///< the hint text of the box; here the standard hint
    NameListSection, ///< the title of the name-list section, shared by /IF, /XF, /ID, /XD
};

/// The sections of a job file, in written order. Each has a heading; an option section is written
/// only when one of its options is set, the two folder sections always.
enum class JobFileSection : unsigned char {
    Source,
    Destination,
    Copy,
    Retry,
    Include,
    Exclude,
    NameLists,
    Log,
    Monitor,
};

inline constexpr std::array kJobFileSections = {
    JobFileSection::Source,    JobFileSection::Destination, JobFileSection::Copy,
    JobFileSection::Retry,     JobFileSection::Include,     JobFileSection::Exclude,
    JobFileSection::NameLists, JobFileSection::Log,         JobFileSection::Monitor,
};

/// One letter box of a letters option.
struct Letter {
    char letter;
    Control box;
};

/// One row of the switch registry: a Robocopy option the job holds, and how it is written.
struct OptionInfo {
    Control box{};                 ///< the option's check box
    std::string_view switchName{}; ///< upper case, without argument: "/MIR", "/LEV", "/COPY", "/DCOPY", "/NOSD"
    ArgumentKind argument = ArgumentKind::Flag;
    JobFileSection section{};
    /// The job-file line without its indent: the value or values for "%s", then the comment for
    /// the last "%s". Empty for the name lists, whose lines are the name-list text itself.
    std::string_view fileLine{};
    std::string_view fixedText{};      ///< text behind the colon for FixedText ("T" of /DCOPY:T), else empty
    std::string_view unsetSwitch{};    ///< Path options: the switch written when the box is not set ("/SD")
    std::span<const Control> fields{}; ///< edit fields holding the argument (empty for flags and lists)
    std::span<const Letter> letters{}; ///< letter boxes in written order (Letters only)
    const char* comment = "";          ///< German text marked with N_(); translate with tr() when used
    CommentKind commentKind = CommentKind::Description;
};

/// Every option in written order: the job file's sections in turn and the lines inside each. The
/// command line carries the switches in the same order (without the folder sections, and with the
/// name lists once, where their rows stand).
[[nodiscard]] std::span<const OptionInfo> Options();

/// The options of one job-file section, in written order.
[[nodiscard]] std::span<const OptionInfo> OptionsOf(JobFileSection section);

/// The German heading of a job-file section (marked with N_(); translate with tr() when used).
[[nodiscard]] const char* SectionTitle(JobFileSection section);

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

/// The comment text of name-list blocks (the section title the job file writer uses).
inline constexpr const char* kNameListSectionTitle = N_("Liste ein- und auszuschließende Dateien und Verzeichnisse");

} // namespace talvex::options
