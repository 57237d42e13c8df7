// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/JobState.h"

#include <string>

#include <gtest/gtest.h>

#include "JobStateFixture.h"
#include "core/options/OptionCatalogue.h"

namespace talvex::options {
namespace {

using C = Control;

// ---- Reset ------------------------------------------------------------------------------------

// Ticks, texts and enables everything a job file could set, so the reset has work everywhere.
void DirtyEverything(JobState& state) {
    for (const OptionInfo& option : Options()) {
        if (option.argument != ArgumentKind::Path) {
            state.TickAndEnable(option.box);
        }
        for (const Letter& letter : option.letters) {
            state.TickAndEnable(letter.box);
        }
        for (const Control field : option.fields) {
            if (KindOf(field) == ControlKind::Edit) {
                state.setText(field, "7");
            }
        }
    }
    state.setNameListText("/IF\na\n\n");
}

TEST_F(JobStateTest, ResetLeavesRetriesTickedWithEmptyFieldsAndEverythingElseUnticked) {
    DirtyEverything(state);
    ASSERT_TRUE(state.Reset());

    for (const OptionInfo& option : Options()) {
        SCOPED_TRACE(std::string(ControlName(option.box)));
        const bool ticked = option.box == C::chb_KR || option.box == C::chb_KW || option.box == C::chb_PNoSD ||
                            option.box == C::chb_PNoDD; // both paths were empty
        EXPECT_EQ(state.isTicked(option.box), ticked);
        for (const Control field : option.fields) {
            EXPECT_EQ(state.text(field), "") << ControlName(field);
        }
        for (const Letter& letter : option.letters) {
            EXPECT_FALSE(state.isTicked(letter.box));
            EXPECT_FALSE(state.isEnabled(letter.box));
        }
    }
    EXPECT_TRUE(state.isEnabled(C::edt_KR));
    EXPECT_TRUE(state.isEnabled(C::edt_KW));
    for (const Control field : {C::edt_KLEV, C::edt_FMAX, C::lbl_FMAX, C::edt_FMIN, C::lbl_FMIN, C::edt_MMON,
                                C::edt_MMOT, C::edt_MIPG, C::edt_MRH1, C::lbl_MRH, C::edt_MRH2}) {
        EXPECT_FALSE(state.isEnabled(field)) << ControlName(field);
    }
    EXPECT_FALSE(state.isEnabled(C::chb_LTEE));
    EXPECT_FALSE(state.isEnabled(C::pnl_FEAN));
    EXPECT_TRUE(state.isReadOnly(C::red_FListe));
    EXPECT_EQ(state.nameListText(), "");
    EXPECT_TRUE(state.modifiedFlag());
}

TEST_F(JobStateTest, ResetUnticksAndDisablesTheImageTab) {
    environment.existingFiles.insert("/usr/bin/mkisofs");
    environment.burningTool = true;
    state.setText(C::edt_Imkisofs, "/usr/bin/mkisofs");
    state.setTicked(C::chb_IIMG, true);
    state.setTicked(C::chb_IBurn, true);
    state.setText(C::edt_ISpeed, "8");
    ASSERT_TRUE(state.Reset());

    EXPECT_TRUE(state.isEnabled(C::chb_IIMG));
    EXPECT_FALSE(state.isTicked(C::chb_IIMG));
    EXPECT_FALSE(state.isEnabled(C::chb_IBurn));
    EXPECT_FALSE(state.isTicked(C::chb_IBurn));
    EXPECT_EQ(state.text(C::edt_Imkisofs), kMkisofsPlaceholder);
    for (const Control control : {C::sbu_IImage, C::edt_Imkisofs, C::sbu_ISpeed, C::sbu_IBrenner, C::lbl_ISpeed,
                                  C::edt_ISpeed, C::edt_IBrenner}) {
        EXPECT_FALSE(state.isEnabled(control)) << ControlName(control);
    }
    for (const Control field : {C::edt_ISpeed, C::edt_IBrenner}) {
        EXPECT_EQ(state.text(field), "");
        EXPECT_TRUE(state.isReadOnly(field));
    }
}

// Per side: /NOSD or /NODD is ticked again exactly where the path was empty; the paths go, the
// file-system labels stay.
TEST_F(JobStateTest, ResetTicksNoFolderBoxesWhereThePathWasEmpty) {
    for (const bool source : {false, true}) {
        for (const bool dest : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "source " << source << ", destination " << dest);
            JobState job(environment);
            if (source) {
                job.applySourceFolder("C:\\Quelle", "NTFS");
            }
            if (dest) {
                job.applyDestinationFolder("D:\\Ziel", "ext4");
            }
            ASSERT_TRUE(job.Reset());
            EXPECT_EQ(job.isTicked(C::chb_PNoSD), !source);
            EXPECT_EQ(job.isTicked(C::chb_PNoDD), !dest);
            EXPECT_EQ(job.sourcePath(), "");
            EXPECT_EQ(job.destinationPath(), "");
            if (source && dest) {
                EXPECT_EQ(job.text(C::lbl_SDE), "NTFS");
                EXPECT_EQ(job.text(C::lbl_DDE), "ext4");
            }
        }
    }
}

TEST_F(JobStateTest, ResetReportsAFailureAsFalse) {
    environment.existingFiles.insert("mkisofs");
    state.setText(C::edt_Imkisofs, "mkisofs");
    state.setTicked(C::chb_IIMG, true);
    ASSERT_TRUE(state.isTicked(C::chb_IIMG));
    environment.throwOnFileQuery = true; // the chb_IIMG handler asks during the reset
    EXPECT_FALSE(state.Reset());
}

// ---- Unicode rule -------------------------------------------------------------------------

// /UNICODE is ticked by a path outside ASCII and stays ticked after the path turns ASCII; a reset
// or a click unticks it only once no path needs it.
TEST_F(JobStateTest, UnicodeStaysTickedWhileAPathNeedsIt) {
    state.checkSourcePath("C:\\Daten");
    EXPECT_FALSE(state.sourceNeedsUnicode());
    EXPECT_FALSE(state.isTicked(C::chb_LUNICODE));

    state.setEnabled(C::chb_LUNICODE, false);
    state.checkSourcePath("C:\\Bücher");
    EXPECT_TRUE(state.sourceNeedsUnicode());
    EXPECT_TRUE(state.IsOptionSet(C::chb_LUNICODE));
    ASSERT_TRUE(state.Reset());
    EXPECT_TRUE(state.IsOptionSet(C::chb_LUNICODE));

    state.checkSourcePath("C:\\Daten");
    EXPECT_FALSE(state.sourceNeedsUnicode());
    EXPECT_TRUE(state.IsOptionSet(C::chb_LUNICODE));
    ASSERT_TRUE(state.Reset());
    EXPECT_FALSE(state.isTicked(C::chb_LUNICODE));

    state.checkDestinationPath("D:\\Bücher");
    state.setTicked(C::chb_LUNICODE, false);
    EXPECT_TRUE(state.IsOptionSet(C::chb_LUNICODE));
    state.checkDestinationPath("D:\\Daten");
    state.setTicked(C::chb_LUNICODE, false);
    EXPECT_FALSE(state.isTicked(C::chb_LUNICODE));
}

// ---- ready condition ----------------------------------------------------------------------

TEST_F(JobStateTest, ReadyNeedsBothPaths) {
    EXPECT_FALSE(state.computeReady());
    state.applySourceFolder("C:\\Quelle", "NTFS");
    EXPECT_FALSE(state.readyFlag());
    state.applyDestinationFolder("D:\\Ziel", "NTFS");
    EXPECT_TRUE(state.readyFlag()); // path changed stores the condition
}

TEST_F(JobStateTest, ReadyWithImageNeedsImageFileAndExistingMkisofs) {
    chooseFolders("NTFS", "NTFS");
    environment.burningTool = true;
    environment.onImageTicked = [](JobState& s) { s.setText(C::edt_Imkisofs, "/usr/bin/mkisofs"); };

    // The chooser picks a file that does not exist: the box unticks itself again.
    state.setTicked(C::chb_IIMG, true);
    EXPECT_FALSE(state.isTicked(C::chb_IIMG));
    EXPECT_FALSE(state.isEnabled(C::chb_IBurn));

    environment.existingFiles.insert("/usr/bin/mkisofs");
    state.setTicked(C::chb_IIMG, true);
    EXPECT_TRUE(state.isTicked(C::chb_IIMG));
    EXPECT_TRUE(state.isEnabled(C::edt_Imkisofs));
    EXPECT_TRUE(state.isEnabled(C::edt_IImage));
    EXPECT_TRUE(state.isEnabled(C::chb_IBurn));
    EXPECT_FALSE(state.readyFlag()); // no image file yet

    state.setText(C::edt_IImage, "/tmp/a.iso");
    EXPECT_TRUE(state.readyFlag());

    state.setTicked(C::chb_IBurn, true);
    EXPECT_TRUE(state.isEnabled(C::edt_ISpeed));
    EXPECT_FALSE(state.readyFlag());
    state.setText(C::edt_ISpeed, "8");
    state.setText(C::edt_IBrenner, "/dev/sr0");
    EXPECT_TRUE(state.readyFlag());

    environment.existingFiles.clear();
    EXPECT_FALSE(state.computeReady());
}

// ---- flags and caption ----------------------------------------------------------------------

TEST_F(JobStateTest, CaptionFollowsFileNameAndModifiedMarker) {
    const struct {
        const char* path;
        bool modified;
        const char* caption;
    } cases[] = {
        {"", false, "*.rcj"},
        {"", true, "*.rcj [geändert]"},
        {"C:\\Jobs\\sich.rcj", false, "sich.rcj"},
        {"C:\\Jobs\\sich.rcj", true, "sich.rcj [geändert]"},
        {"C:sich.rcj", false, "sich.rcj"},
        {"sich.bat", true, "sich.bat [geändert]"},
#ifndef _WIN32
        {"/home/u/jobs/sich.rcj", false, "sich.rcj"},
#endif
    };
    for (const auto& c : cases) {
        state.setJobFilePath(c.path);
        state.setModifiedFlag(c.modified);
        EXPECT_EQ(state.caption(), c.caption) << c.path;
    }
}

TEST_F(JobStateTest, FirstChangeMarksModifiedAndReportsTheCaptionOnce) {
    state.clearStateChangedFlag();
    observer.clear();
    state.setTicked(C::chb_LV, true);
    EXPECT_TRUE(state.modifiedFlag());
    EXPECT_TRUE(state.stateChangedFlag());
    state.setTicked(C::chb_LTS, true);
    ASSERT_EQ(observer.captions.size(), 1U);
    EXPECT_EQ(observer.captions[0], "*.rcj [geändert]");
}

TEST_F(JobStateTest, ShowingTheWindowEmptiesPathsAndTicksNoFolderBoxes) {
    chooseFolders("NTFS", "NTFS");
    state.prepareForShow();
    EXPECT_EQ(state.sourcePath(), "");
    EXPECT_EQ(state.destinationPath(), "");
    EXPECT_TRUE(state.IsOptionSet(C::chb_PNoSD));
    EXPECT_TRUE(state.IsOptionSet(C::chb_PNoDD));
}

} // namespace
} // namespace talvex::options
