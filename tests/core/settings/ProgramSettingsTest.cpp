// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ProgramSettings.h"

#include <gtest/gtest.h>

namespace talvex::settings {
namespace {

TEST(ProgramSettings, HandEditedRunSettingsOutOfRangeFallBackToDefaults) {
    const struct {
        const char* window;
        const char* job;
        RobocopyWindow expectedWindow;
        RunMode expectedMode;
    } cases[] = {
        {"2", "1", RobocopyWindow::Minimised, RunMode::TemporaryJobFile},
        {"3", "0", RobocopyWindow::Maximised, RunMode::CommandLine},
        {"4", "2", RobocopyWindow::Hidden, RunMode::CommandLine},
        {"-1", "-1", RobocopyWindow::Hidden, RunMode::CommandLine},
        {"x", "x", RobocopyWindow::Hidden, RunMode::CommandLine},
    };
    for (const auto& c : cases) {
        IniStore store = IniStore::Parse(std::string("[Execute]\nWindow=") + c.window + "\nJob=" + c.job + "\n");
        const ProgramSettings settings(store);
        EXPECT_EQ(settings.robocopyWindow(), c.expectedWindow) << c.window;
        EXPECT_EQ(settings.runMode(), c.expectedMode) << c.job;
    }
    IniStore empty;
    EXPECT_TRUE(ProgramSettings(empty).newWithDefaults()); // the one setting that defaults to on
}

} // namespace
} // namespace talvex::settings
