// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

#include "core/options/Control.h"

namespace talvex::options {

class JobState;

/// The click and change handlers of the job window. `JobState` calls them; they work only through its public interface,
/// so a handler that ticks another box runs that box's handler in the middle of its own work.
namespace coupling {

/// Runs the click handler of a box: its coupling handler, or option changed for boxes without one.
void RunClickHandler(JobState& state, Control box);

/// Runs the change handler of a text control, if it has one.
void RunChangeHandler(JobState& state, Control control);

/// The controls that a value-field or letters box enables exactly while it is ticked. Empty for other controls.
[[nodiscard]] std::span<const Control> EnabledWhileTicked(Control box);

/// True when letters S, O and U of /COPY may be used: each side either keeps its folder out of
/// the job file (/NOSD, /NODD set) or lies on a file system that keeps security information.
[[nodiscard]] bool SidesKeepSecurity(const JobState& state);

/// True when a log-file text ends with a path separator: "\" always, and on POSIX also the
/// native "/".
[[nodiscard]] bool EndsWithSeparator(std::string_view text);

/// The log-file text without the separators at its end. Applied when the field is left and when
/// the job is written, never while typing: on POSIX every folder of a path typed key by key ends
/// in "/" for a moment.
[[nodiscard]] std::string_view LogFileName(std::string_view text);

} // namespace coupling

} // namespace talvex::options
