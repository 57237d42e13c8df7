// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include "core/options/JobState.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/RecordingJobObserver.h"

namespace talvex::options {

/// A fresh job with a recording observer; each test gets its own.
class JobStateTest : public ::testing::Test {
protected:
    JobStateTest() { state.addObserver(observer); }
    ~JobStateTest() override { state.removeObserver(observer); }

    /// Gives both sides a folder on the given file systems, so /NOSD and /NODD are unticked.
    void chooseFolders(std::string_view sourceLabel, std::string_view destLabel) {
        state.applySourceFolder("C:\\Quelle", sourceLabel);
        state.applyDestinationFolder("D:\\Ziel", destLabel);
    }

    fakes::FakeJobEnvironment environment;
    JobState state{environment};
    fakes::RecordingJobObserver observer;
};

} // namespace talvex::options
