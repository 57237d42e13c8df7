// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/OptionCoupling.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "JobStateFixture.h"
#include "core/options/OptionCatalogue.h"

namespace talvex::options {
namespace {

using C = Control;

TEST_F(JobStateTest, MirrorAndJunctionsDisableTheirImpliedOptionsKeepingTheirTicks) {
    state.setTicked(C::chb_KS, true);
    state.setTicked(C::chb_KPURGE, true);
    state.setTicked(C::chb_KMIR, true);
    for (const Control box : {C::chb_KE, C::chb_KS, C::chb_KPURGE}) {
        EXPECT_FALSE(state.isEnabled(box)) << ControlName(box);
    }
    // Ticked but disabled: not set.
    EXPECT_TRUE(state.isTicked(C::chb_KS));
    EXPECT_TRUE(state.isTicked(C::chb_KPURGE));
    EXPECT_FALSE(state.IsOptionSet(C::chb_KS));
    EXPECT_FALSE(state.IsOptionSet(C::chb_KPURGE));
    EXPECT_FALSE(state.isTicked(C::chb_KE));

    state.setTicked(C::chb_KMIR, false);
    for (const Control box : {C::chb_KE, C::chb_KS, C::chb_KPURGE}) {
        EXPECT_TRUE(state.isEnabled(box)) << ControlName(box);
    }
    EXPECT_TRUE(state.IsOptionSet(C::chb_KS));
    EXPECT_TRUE(state.IsOptionSet(C::chb_KPURGE));

    state.setTicked(C::chb_FXJ, true);
    EXPECT_FALSE(state.isEnabled(C::chb_FXJD));
    EXPECT_FALSE(state.isEnabled(C::chb_FXJF));
    state.setTicked(C::chb_FXJ, false);
    EXPECT_TRUE(state.isEnabled(C::chb_FXJD));
    EXPECT_TRUE(state.isEnabled(C::chb_FXJF));
}

TEST_F(JobStateTest, CopyAllUnticksCopyAndDisablesItsLettersKeepingTheirTicks) {
    chooseFolders("NTFS", "NTFS");
    state.setTicked(C::chb_KCopy, true);
    state.setTicked(C::chb_KCopyD, true);
    state.setTicked(C::chb_KCopyA, true);
    ASSERT_TRUE(state.isEnabled(C::chb_KCopyS));

    state.setTicked(C::chb_KCopyAll, true);

    EXPECT_FALSE(state.isTicked(C::chb_KCopy));
    EXPECT_TRUE(state.isTicked(C::chb_KCopyD));
    EXPECT_TRUE(state.isTicked(C::chb_KCopyA));
    EXPECT_FALSE(state.isTicked(C::chb_KCopyT));
    for (const Letter& letter : LettersOf(C::chb_KCopy)) {
        EXPECT_FALSE(state.isEnabled(letter.box)) << ControlName(letter.box);
    }
    EXPECT_TRUE(state.IsOptionSet(C::chb_KCopyAll));
}

// Within each group, whichever box is ticked last stays the only one ticked.
TEST_F(JobStateTest, RivalOptionsExcludeEachOther) {
    const std::vector<std::vector<Control>> groups = {
        {C::chb_KS, C::chb_KE},
        {C::chb_FXN, C::chb_FXO},
        {C::chb_KCopyAll, C::chb_KNOCOPY, C::chb_KSEC, C::chb_KCopy},
        {C::chb_LLOG, C::chb_LLOGplus, C::chb_LUNILOG, C::chb_LUNILOGPlus},
    };
    for (const auto& rivals : groups) {
        for (const Control first : rivals) {
            for (const Control second : rivals) {
                if (first == second) {
                    continue;
                }
                state.setTicked(first, true);
                state.setTicked(second, true);
                for (const Control box : rivals) {
                    EXPECT_EQ(state.isTicked(box), box == second)
                        << ControlName(first) << " then " << ControlName(second) << ": " << ControlName(box);
                }
                state.setTicked(second, false);
            }
        }
    }
}

// /COPY's S, O and U need both sides to keep security information; a side without a folder in the
// job does not count, and an unreadable label counts as unsuitable.
TEST_F(JobStateTest, CopyEnablesSecurityLettersOnlyWhereBothSidesKeepThem) {
    const struct {
        const char* name;
        bool sourceFolder;
        const char* sourceLabel;
        bool destFolder;
        const char* destLabel;
        bool lettersEnabled;
    } cases[] = {
        {"both NTFS", true, "NTFS", true, "NTFS", true},
        {"destination FAT", true, "NTFS", true, "FAT32", false},
        {"source FAT", true, "FAT", true, "NTFS", false},
        {"no destination, source NTFS", true, "NTFS", false, "", true},
        {"no destination, source FAT", true, "FAT32", false, "", false},
        {"neither folder", false, "", false, "", true},
        {"unreadable label", true, "", true, "NTFS", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JobState job(environment);
        if (c.sourceFolder) {
            job.applySourceFolder("C:\\Quelle", c.sourceLabel);
        }
        if (c.destFolder) {
            job.applyDestinationFolder("D:\\Ziel", c.destLabel);
        }
        ASSERT_EQ(job.IsOptionSet(C::chb_PNoSD), !c.sourceFolder);
        ASSERT_EQ(job.IsOptionSet(C::chb_PNoDD), !c.destFolder);
        job.setTicked(C::chb_KCopy, true);
        for (const Control box : {C::chb_KCopyD, C::chb_KCopyA, C::chb_KCopyT}) {
            EXPECT_TRUE(job.isEnabled(box)) << ControlName(box);
        }
        for (const Control box : {C::chb_KCopyS, C::chb_KCopyO, C::chb_KCopyU}) {
            EXPECT_EQ(job.isEnabled(box), c.lettersEnabled) << ControlName(box);
        }
    }
}

TEST_F(JobStateTest, NoDestinationTickedLaterCountsOnlyWhenTheCopyHandlerRunsAgain) {
    chooseFolders("NTFS", "FAT32");
    state.setTicked(C::chb_KCopy, true);
    ASSERT_FALSE(state.isEnabled(C::chb_KCopyS));
    state.setTicked(C::chb_PNoDD, true); // the path stays, so the tick stays
    ASSERT_TRUE(state.IsOptionSet(C::chb_PNoDD));
    state.runClickHandler(C::chb_KCopy);
    EXPECT_TRUE(state.isEnabled(C::chb_KCopyS));
}

// One click, one option change: also when a box without a path ticks itself again.
TEST_F(JobStateTest, NoFolderBoxesRunOptionChangedOncePerClick) {
    state.setTicked(C::chb_PNoSD, false);
    EXPECT_TRUE(state.isTicked(C::chb_PNoSD));
    EXPECT_EQ(observer.optionChangedCount, 1);
    EXPECT_TRUE(state.modifiedFlag());

    chooseFolders("NTFS", "NTFS");
    for (const Control box : {C::chb_PNoSD, C::chb_PNoDD}) {
        for (const bool tick : {true, false}) {
            observer.clear();
            state.setTicked(box, tick);
            EXPECT_EQ(state.isTicked(box), tick);
            EXPECT_EQ(observer.optionChangedCount, 1) << ControlName(box);
        }
    }
}

// A log option ticked after another one keeps /TEE enabled; unticking the last one disables it.
TEST_F(JobStateTest, TeeIsEnabledOnlyWhileALogOptionIsTicked) {
    for (const Control box : {C::chb_LLOG, C::chb_LLOGplus, C::chb_LUNILOG, C::chb_LUNILOGPlus}) {
        SCOPED_TRACE(std::string(ControlName(box)));
        JobState job(environment);
        job.setTicked(box == C::chb_LLOG ? C::chb_LUNILOGPlus : C::chb_LLOG, true);
        job.setTicked(box, true);
        EXPECT_TRUE(job.isEnabled(C::chb_LTEE));
        job.setTicked(C::chb_LTEE, true);
        EXPECT_TRUE(job.IsOptionSet(C::chb_LTEE));

        job.setTicked(box, false);
        EXPECT_FALSE(job.isEnabled(C::chb_LTEE));
        EXPECT_FALSE(job.IsOptionSet(C::chb_LTEE));
    }
}

TEST_F(JobStateTest, ValueFieldsAndLettersFollowTheirBox) {
    for (const OptionInfo& option : Options()) {
        const auto dependents = coupling::EnabledWhileTicked(option.box);
        if (dependents.empty()) {
            continue;
        }
        state.setTicked(option.box, true);
        for (const Control dependent : dependents) {
            // /COPY's S, O, U also need the file systems; without folders both sides are suitable.
            EXPECT_TRUE(state.isEnabled(dependent)) << ControlName(dependent);
        }
        state.setTicked(option.box, false);
        for (const Control dependent : dependents) {
            EXPECT_FALSE(state.isEnabled(dependent)) << ControlName(dependent);
        }
    }
}

// Handlers run for a changed tick only, and the observer sees each tick of the cascade.
TEST_F(JobStateTest, HandlersRunOnlyForAChangedTick) {
    state.setTicked(C::chb_KE, true);
    observer.clear();
    state.setEnabled(C::chb_KE, false);
    state.setEnabled(C::chb_KMIR, false);
    state.setEnabled(C::chb_KMIR, true);
    state.setTicked(C::chb_KS, false);
    EXPECT_EQ(observer.optionChangedCount, 0);
    EXPECT_TRUE(observer.ticks.empty());
    EXPECT_TRUE(state.isTicked(C::chb_KE));
    EXPECT_FALSE(state.isEnabled(C::chb_KE));

    state.setEnabled(C::chb_KE, true);
    state.setTicked(C::chb_KS, true);
    const std::vector<std::pair<Control, bool>> expected = {{C::chb_KS, true}, {C::chb_KE, false}};
    EXPECT_EQ(observer.ticks, expected);
}

TEST_F(JobStateTest, TickAndEnableTicksThroughTheHandlerThenEnables) {
    state.setTicked(C::chb_KMIR, true);
    state.TickAndEnable(C::chb_KE); // as the reader does for /E after /MIR
    EXPECT_TRUE(state.IsOptionSet(C::chb_KE));
    EXPECT_TRUE(state.IsOptionSet(C::chb_KMIR));
}

// Trailing separators go from the log-file name when the field is left, not while typing: on POSIX
// every folder of a path typed key by key ends in "/" for a moment.
TEST_F(JobStateTest, LogFileTextLosesTrailingSeparatorsWhenLeft) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Logs\\robo.log", "C:\\Logs\\robo.log"},
        {"C:\\Logs\\", "C:\\Logs"},
        {"C:\\Logs\\\\", "C:\\Logs"},
        {"\\", ""},
        {"", ""},
#ifndef _WIN32
        // POSIX: the native separator goes too.
        {"/var/log/", "/var/log"},
        {"/", ""},
#endif
    };
    for (const auto& [typed, kept] : cases) {
        state.setLogFile(typed);
        EXPECT_EQ(state.text(C::edt_LLOG), typed);
        state.finishLogFileText();
        EXPECT_EQ(state.text(C::edt_LLOG), kept) << typed;
    }
}

TEST_F(JobStateTest, NameListTextDecidesTheIndicatorBoxes) {
    state.setNameListText("/IF\n*.txt\n\n/XD\nTemp\n\n");
    EXPECT_TRUE(state.IsOptionSet(C::chb_FIF));
    EXPECT_TRUE(state.IsOptionSet(C::chb_FXD));
    EXPECT_FALSE(state.isTicked(C::chb_FXF));
    EXPECT_FALSE(state.isTicked(C::chb_FID));
    EXPECT_TRUE(state.modifiedFlag());

    // A name that merely contains a switch is no block.
    state.setNameListText("/XF\n/IF.txt\n\n");
    EXPECT_TRUE(state.isTicked(C::chb_FXF));
    EXPECT_FALSE(state.isTicked(C::chb_FIF));
    EXPECT_FALSE(state.isTicked(C::chb_FXD));
}

TEST_F(JobStateTest, ClicksReachOnlyClickableBoxes) {
    EXPECT_FALSE(state.click(Control::chb_FIF)); // on the disabled panel pnl_FEAN
    EXPECT_FALSE(state.isTicked(Control::chb_FIF));
    EXPECT_FALSE(state.click(Control::chb_LTEE)); // disabled until a log file is chosen
    EXPECT_FALSE(state.click(Control::edt_KR));   // no box
    EXPECT_TRUE(state.click(Control::chb_KS));
    EXPECT_TRUE(state.IsOptionSet(Control::chb_KS));
    EXPECT_TRUE(state.click(Control::chb_KS));
    EXPECT_FALSE(state.isTicked(Control::chb_KS));
}

} // namespace
} // namespace talvex::options
