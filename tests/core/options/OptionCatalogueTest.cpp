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

TEST(OptionCatalogue, FreshJobHasOnlyTheNoFolderBoxesTickedAndDefaultValues) {
    fakes::FakeJobEnvironment environment;
    const JobState state(environment);
    for (const OptionInfo& option : Options()) {
        SCOPED_TRACE(std::string(ControlName(option.box)));
        EXPECT_EQ(state.isTicked(option.box), option.box == C::chb_PNoSD || option.box == C::chb_PNoDD);
        // Every option box is clickable except /TEE, which waits for a log-file option.
        EXPECT_EQ(state.isEnabled(option.box), option.box != C::chb_LTEE);
        for (const Letter& letter : option.letters) {
            EXPECT_FALSE(state.isTicked(letter.box)) << ControlName(letter.box);
            EXPECT_FALSE(state.isEnabled(letter.box)) << ControlName(letter.box);
        }
    }
    const std::vector<std::pair<Control, std::string>> fields = {
        {C::edt_PSD, ""},     {C::edt_PDD, ""},      {C::edt_KLEV, "1"},    {C::edt_KR, "2"},   {C::edt_KW, "10"},
        {C::edt_FMAX, "256"}, {C::edt_FMIN, "256"},  {C::edt_LLOG, ""},     {C::edt_MMON, "1"}, {C::edt_MMOT, "1"},
        {C::edt_MIPG, "100"}, {C::edt_MRH1, "0000"}, {C::edt_MRH2, "2359"},
    };
    for (const auto& [field, text] : fields) {
        EXPECT_EQ(state.text(field), text) << ControlName(field);
    }
    EXPECT_FALSE(state.modifiedFlag());
    EXPECT_FALSE(state.readyFlag());
    EXPECT_FALSE(state.saveAsFlag());
    EXPECT_TRUE(state.jobFilePath().empty());
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

} // namespace
} // namespace talvex::options
