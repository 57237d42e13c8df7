// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/services/Paths.h"
#include "core/services/UserInterface.h"
#include "platform/ChildProcess.h"
#include "platform/Files.h"
#include "platform/Volumes.h"

namespace talvex::media {

/// What the image and burn steps need from around them. Every reference must outlive the steps.
struct MediaServices {
    /// Runs mkisofs and the burning tool; the job executor's robocopy has ended by then.
    platform::ChildProcess& process;
    /// Asks whether to go on when the image would not fit.
    UserInterface& ui;
    const platform::VolumeProbes& volumes;
    /// Groups the megabytes in the log ("." in German).
    std::string thousandsSeparator;
    /// Waits between attempts to delete an old image; empty sleeps.
    platform::Wait wait;
    /// The burning tool (`FindBurningTool`); empty when none is installed.
    std::string burningTool;
    PathStyle style = kNativePathStyle;
};

/// The program's command line word for a tool: the path as it is, in double quotes only when it
/// holds a blank (our runner splits a command line at blanks outside quotes, where Windows would
/// still try the longer names).
[[nodiscard]] std::string ProgramWord(const std::string& program);

} // namespace talvex::media
