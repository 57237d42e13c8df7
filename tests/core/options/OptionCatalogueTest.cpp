// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/OptionCatalogue.h"

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/options/JobState.h"
#include "fakes/FakeJobEnvironment.h"

namespace talvex::options {
namespace {

using C = Control;
using A = ArgumentKind;

// Part 1.1's table transcribed independently of the catalogue: control, switch, argument kind,
// fresh tick, fresh field texts and the tick after `Reset`.
struct Row {
    Control box;
    std::string_view switchName;
    ArgumentKind argument;
    bool freshTicked;
    std::vector<std::string> freshFields;
    ResetTick reset;
};

const std::vector<Row>& SpecTable() {
    static const std::vector<Row> rows = {
        {C::chb_PNoSD, "/NOSD", A::Path, true, {""}, ResetTick::TickedWhenPathWasEmpty},
        {C::chb_PNoDD, "/NODD", A::Path, true, {""}, ResetTick::TickedWhenPathWasEmpty},
        {C::chb_KS, "/S", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KE, "/E", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KMIR, "/MIR", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KPURGE, "/PURGE", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KCREATE, "/CREATE", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KM, "/M", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KA, "/A", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KFAT, "/FAT", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KFFT, "/FFT", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KLEV, "/LEV", A::Number, false, {"1"}, ResetTick::Unticked},
        {C::chb_KMOV, "/MOV", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KMOVE, "/MOVE", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KB, "/B", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KZ, "/Z", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KZB, "/ZB", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KCopyAll, "/COPYALL", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KCopy, "/COPY", A::Letters, false, {}, ResetTick::Unticked},
        {C::chb_KNOCOPY, "/NOCOPY", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KSEC, "/SEC", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_KDCOPY, "/DCOPY", A::FixedText, false, {}, ResetTick::Unticked},
        {C::chb_KAminus, "/A-", A::Letters, false, {}, ResetTick::Unticked},
        {C::chb_KAplus, "/A+", A::Letters, false, {}, ResetTick::Unticked},
        {C::chb_KR, "/R", A::Number, false, {"2"}, ResetTick::Ticked},
        {C::chb_KW, "/W", A::Number, false, {"10"}, ResetTick::Ticked},
        {C::chb_FIA, "/IA", A::Letters, false, {}, ResetTick::Unticked},
        {C::chb_FXA, "/XA", A::Letters, false, {}, ResetTick::Unticked},
        {C::chb_FIS, "/IS", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_FIT, "/IT", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_FXJ, "/XJ", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_FXJD, "/XJD", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_FXJF, "/XJF", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_FXC, "/XC", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_FXN, "/XN", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_FXO, "/XO", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_FXX, "/XX", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_FXL, "/XL", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_FMAX, "/MAX", A::Number, false, {"256"}, ResetTick::Unticked},
        {C::chb_FMIN, "/MIN", A::Number, false, {"256"}, ResetTick::Unticked},
        {C::chb_FIF, "/IF", A::List, false, {}, ResetTick::Unticked},
        {C::chb_FXF, "/XF", A::List, false, {}, ResetTick::Unticked},
        {C::chb_FID, "/ID", A::List, false, {}, ResetTick::Unticked},
        {C::chb_FXD, "/XD", A::List, false, {}, ResetTick::Unticked},
        {C::chb_LLOG, "/LOG", A::File, false, {""}, ResetTick::Unticked},
        {C::chb_LLOGplus, "/LOG+", A::File, false, {""}, ResetTick::Unticked},
        {C::chb_LUNILOG, "/UNILOG", A::File, false, {""}, ResetTick::Unticked},
        {C::chb_LUNILOGPlus, "/UNILOG+", A::File, false, {""}, ResetTick::Unticked},
        {C::chb_LV, "/V", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LTS, "/TS", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LFP, "/FP", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LNJH, "/NJH", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LNJS, "/NJS", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LNP, "/NP", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LETA, "/ETA", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LX, "/X", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LNS, "/NS", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LNC, "/NC", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LNDL, "/NDL", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LNFL, "/NFL", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LL, "/L", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LUNICODE, "/UNICODE", A::Flag, false, {}, ResetTick::TickedWhenUnicodeNeeded},
        {C::chb_LTEE, "/TEE", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_LTBD, "/TBD", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_MMON, "/MON", A::Number, false, {"1"}, ResetTick::Unticked},
        {C::chb_MMOT, "/MOT", A::Number, false, {"1"}, ResetTick::Unticked},
        {C::chb_MIPG, "/IPG", A::Number, false, {"100"}, ResetTick::Unticked},
        {C::chb_MPF, "/PF", A::Flag, false, {}, ResetTick::Unticked},
        {C::chb_MRH, "/RH", A::TimeRange, false, {"0000", "2359"}, ResetTick::Unticked},
    };
    return rows;
}

TEST(OptionCatalogue, ListsEveryOptionOfTheSpecInTableOrder) {
    const auto options = Options();
    const auto& rows = SpecTable();
    ASSERT_EQ(options.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(std::string(ControlName(rows[i].box)));
        EXPECT_EQ(options[i].box, rows[i].box);
        EXPECT_EQ(options[i].switchName, rows[i].switchName);
        EXPECT_EQ(options[i].argument, rows[i].argument);
        EXPECT_EQ(options[i].resetTick, rows[i].reset);
        EXPECT_EQ(options[i].fields.size(), rows[i].freshFields.size());
        EXPECT_NE(options[i].comment, nullptr);
        EXPECT_NE(std::string_view(options[i].comment), "");
    }
}

// The one table test of the fresh column: every option box, its argument fields and its letters.
TEST(OptionCatalogue, FreshJobMatchesTheFreshColumn) {
    fakes::FakeJobEnvironment environment;
    const JobState state(environment);
    for (const Row& row : SpecTable()) {
        SCOPED_TRACE(std::string(ControlName(row.box)));
        EXPECT_EQ(state.isTicked(row.box), row.freshTicked);
        // Every option box is clickable except /TEE, which waits for a log-file option.
        EXPECT_EQ(state.isEnabled(row.box), row.box != C::chb_LTEE);
        const OptionInfo* option = FindOption(row.box);
        ASSERT_NE(option, nullptr);
        for (std::size_t i = 0; i < row.freshFields.size() && i < option->fields.size(); ++i) {
            EXPECT_EQ(state.text(option->fields[i]), row.freshFields[i]);
        }
        for (const Letter& letter : option->letters) {
            EXPECT_FALSE(state.isTicked(letter.box)) << ControlName(letter.box);
            EXPECT_FALSE(state.isEnabled(letter.box)) << ControlName(letter.box);
        }
    }
    EXPECT_FALSE(state.modifiedFlag());
    EXPECT_FALSE(state.readyFlag());
    EXPECT_FALSE(state.saveAsFlag());
    EXPECT_TRUE(state.jobFilePath().empty());
    EXPECT_TRUE(state.jobReferencePath().empty());
    EXPECT_FALSE(state.isEnabled(C::pnl_FEAN));
    EXPECT_TRUE(state.isReadOnly(C::red_FListe));
    EXPECT_EQ(state.caption(), "*.rcj");
}

TEST(OptionCatalogue, LetterGroupsRunInWrittenOrder) {
    const std::vector<std::pair<Control, std::string>> expected = {
        {C::chb_KCopy, "DATSOU"},  {C::chb_KAminus, "RASHNT"}, {C::chb_KAplus, "RASHNT"},
        {C::chb_FIA, "RASHCNETO"}, {C::chb_FXA, "RASHCNETO"},
    };
    for (const auto& [box, letters] : expected) {
        std::string written;
        for (const Letter& letter : LettersOf(box)) {
            written.push_back(letter.letter);
            EXPECT_EQ(OptionOfLetter(letter.box), box);
            // The box name ends with its letter (chb_FIAr, chb_KCopyD).
            EXPECT_EQ(std::toupper(static_cast<unsigned char>(ControlName(letter.box).back())), letter.letter);
        }
        EXPECT_EQ(written, letters) << ControlName(box);
    }
}

TEST(OptionCatalogue, ControlRowsFollowTheEnumAndNamesAreUnique) {
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < Controls().size(); ++i) {
        const ControlInfo& info = Controls()[i];
        EXPECT_EQ(ToIndex(info.control), i) << info.name;
        EXPECT_TRUE(names.insert(info.name).second) << info.name;
        EXPECT_EQ(FindControl(info.name), info.control);
    }
    EXPECT_EQ(FindControl("chb_kmir"), std::nullopt);
    EXPECT_EQ(FindControl(""), std::nullopt);
}

TEST(OptionCatalogue, FindsOptionsBySwitchWithoutRegardToCase) {
    ASSERT_NE(FindOptionBySwitch("/mir"), nullptr);
    EXPECT_EQ(FindOptionBySwitch("/mir")->box, C::chb_KMIR);
    EXPECT_EQ(FindOptionBySwitch("/UNILOG+")->box, C::chb_LUNILOGPlus);
    EXPECT_EQ(FindOptionBySwitch("/a-")->box, C::chb_KAminus);
    EXPECT_EQ(FindOptionBySwitch("/SD"), nullptr);
    EXPECT_EQ(FindOptionBySwitch("/MI"), nullptr);
    EXPECT_EQ(FindOption(C::chb_PNoDD)->unsetSwitch, "/DD");
    EXPECT_EQ(FindOption(C::chb_KDCOPY)->fixedText, "T");
}

TEST(OptionCatalogue, CommentsTakeTheHintTextWhereTheSpecSaysSo) {
    EXPECT_STREQ(FindOption(C::chb_KAplus)->comment, "Bei den kopierten Dateien zu setzende Attribute.");
    EXPECT_STREQ(FindOption(C::chb_FXA)->comment,
                 "Keine Dateien berücksichtigen bei welchen eines der Atribute gesetzt ist:");
    EXPECT_STREQ(FindOption(C::chb_KLEV)->comment, "Zu kopierende Verzeichnistiefe.");
    for (const OptionInfo& option : Options()) {
        const bool hint = option.box == C::chb_KAplus || option.box == C::chb_FXA || option.box == C::chb_KLEV;
        EXPECT_EQ(option.commentKind == CommentKind::Hint, hint) << ControlName(option.box);
    }
    EXPECT_STREQ(FindOption(C::chb_FXD)->comment, kNameListSectionTitle);
}

} // namespace
} // namespace talvex::options
