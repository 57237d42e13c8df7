// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>
#include <utility>

#include "core/exec/JobSteps.h"
#include "core/session/Session.h"
#include "fakes/FakeChildProcess.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/FixedClock.h"
#include "fakes/ScriptedUserInterface.h"

namespace talvex::fakes {

/// What a session is given from outside, as the tests script it.
struct FakeSessionServices {
    FakeJobEnvironment environment;
    FakeFormatServices formats;
    ScriptedUserInterface ui;
    FakeChildProcess child;
    FixedClock clock{platform::Clock::TimePoint{}};
    exec::NoMediaSteps media;

    /// Runs go to `process`, or to the scripted child without one; waits between retries return at once.
    [[nodiscard]] session::SessionServices sessionServices(const TextMeasurer& measurer, std::string settingsFolder,
                                                           platform::ChildProcess* process = nullptr) {
        return {.environment = environment,
                .formats = formats,
                .ui = ui,
                .measurer = measurer,
                .process = process != nullptr ? *process : child,
                .clock = clock,
                .media = media,
                .settingsFolder = std::move(settingsFolder),
                .documentsFolder = {},
                .systemFolders = {},
                .wait = [](std::chrono::milliseconds) {}};
    }
};

} // namespace talvex::fakes
