// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/options/JobState.h"
#include "core/options/SwitchRegistry.h"

namespace talvex::formats {

/// What a recognised switch does to the job.
enum class SwitchKind {
    Flag,
    Value,
    TimeRange,
    Letters,
    Path, ///< /SD, /DD: a folder of the job
    List, ///< /IF, /XF, /ID, /XD: a block of names
};

struct SwitchKeyword {
    const options::OptionInfo* option; ///< the option whose box the switch ticks
    SwitchKind kind;
};

/// The keyword table shared by the job file reader and the command-line reader: every switch of the
/// option catalogue (compared without regard to ASCII case, without argument) plus "/SD" and "/DD",
/// which name the folders inside a job file.
[[nodiscard]] std::optional<SwitchKeyword> FindSwitchKeyword(std::string_view switchText);

/// The text behind a FixedText switch: the letters its field holds (read from a file), or the
/// fixed text of a new job ("T" of /DCOPY:T).
[[nodiscard]] std::string FixedTextValue(const options::JobState& job, const options::OptionInfo& option);

/// True when robocopy knows the switch (with "/", without argument, any case), modelled or not.
[[nodiscard]] bool IsRobocopySwitch(std::string_view switchText);

/// Ticks and enables the option of a Value, TimeRange or Letters switch and stores its value: the
/// text of a value field, the hhmm-hhmm halves of a time range by position, every letter of the
/// option that occurs in the value (any case) as its ticked letter box.
void ApplySwitchValue(options::JobState& job, const SwitchKeyword& keyword, std::string_view value);

} // namespace talvex::formats
