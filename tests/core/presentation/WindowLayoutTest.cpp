// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/WindowLayout.h"

#include <gtest/gtest.h>

namespace talvex::presentation {
namespace {

// The last value a rule gives `control` for the member `field` (left or width).
std::optional<int> RuleFor(const std::vector<Placement>& placements, std::string_view control,
                           std::optional<int> Placement::*field) {
    std::optional<int> value;
    for (const Placement& p : placements) {
        if (p.control == control && p.*field) {
            value = p.*field;
        }
    }
    return value;
}
std::optional<int> LeftOf(const std::vector<Placement>& placements, std::string_view control) {
    return RuleFor(placements, control, &Placement::left);
}
std::optional<int> WidthOf(const std::vector<Placement>& placements, std::string_view control) {
    return RuleFor(placements, control, &Placement::width);
}

TEST(WindowLayoutTest, ColumnRuleTruncatesTowardZeroForNarrowGroups) {
    struct Case {
        int width, a, b, n, k, left;
    };
    for (const Case& c : {
             Case{311, 16, 8, 4, 1, 81},  // (295 * 1) / 4 + 8
             Case{311, 16, 8, 4, 3, 229}, // (295 * 3) / 4 + 8 = 221 + 8
             Case{379, 86, 8, 6, 5, 252}, // (293 * 5) / 6 + 8
             Case{60, 86, 8, 6, 1, 4},    // -26 / 6 = -4 (not -5) + 8
             Case{60, 86, 8, 6, 5, -13},  // -130 / 6 = -21 + 8
         }) {
        EXPECT_EQ(ColumnLeft(c.width, c.a, c.b, c.n, c.k), c.left) << c.width << " k " << c.k;
    }
}

TEST(WindowLayoutTest, PageTabWidthDependsOnImageView) {
    EXPECT_EQ(JobPageTabWidth(394, false), 68);
    EXPECT_EQ(JobPageTabWidth(394, true), 55);
}

TEST(WindowLayoutTest, TabStripKeeps114UpToFourAndSharesFromFive) {
    const std::vector<TabSlot> four = JobTabSlots(4, 584);
    EXPECT_EQ(four, (std::vector<TabSlot>{{2, 114}, {116, 114}, {230, 114}, {344, 114}}));

    const std::vector<TabSlot> five = JobTabSlots(5, 584);
    EXPECT_EQ(five, (std::vector<TabSlot>{{2, 116}, {118, 116}, {234, 116}, {350, 116}, {466, 116}}));

    // Many jobs in a narrow strip: the shared width has no lower bound.
    const std::vector<TabSlot> many = JobTabSlots(200, 462);
    EXPECT_EQ(many.back().width, 2);
    EXPECT_TRUE(JobTabSlots(0, 462).empty());
}

TEST(WindowLayoutTest, ButtonColumnIsCentred) {
    EXPECT_EQ(ButtonColumnMargins(635), (VerticalMargins{57, 53}));
    // Shorter than the buttons: negative margins, truncated toward zero.
    EXPECT_EQ(ButtonColumnMargins(521), (VerticalMargins{1, -3}));
}

TEST(WindowLayoutTest, DependentLeftsFollowTheirBoxes) {
    // edt_FMAX and lbl_FMAX move with chb_FMAX; edt_KLEV with chb_KLEV.
    for (int t : {386, 600}) {
        const auto filter = LayoutJobPage(options::Tab::Filtern, t);
        ASSERT_TRUE(LeftOf(filter, "chb_FMAX"));
        EXPECT_EQ(LeftOf(filter, "edt_FMAX"), *LeftOf(filter, "chb_FMAX") + 52);
        EXPECT_EQ(LeftOf(filter, "lbl_FMIN"), *LeftOf(filter, "chb_FMIN") + 52 + 47);

        const auto copy = LayoutJobPage(options::Tab::Kopieren, t);
        EXPECT_EQ(LeftOf(copy, "edt_KLEV"), *LeftOf(copy, "chb_KLEV") + 48);
    }
}

TEST(WindowLayoutTest, KopierenGroupsShareThePage) {
    const auto rules = LayoutJobPage(options::Tab::Kopieren, 386);
    EXPECT_EQ(WidthOf(rules, "grb_Mode"), 59);        // trunc(371 * 0.16)
    EXPECT_EQ(WidthOf(rules, "grb_Funktionen"), 311); // trunc(371 * 0.84)
    EXPECT_EQ(LeftOf(rules, "grb_Funktionen"), 71);   // 386 - 311 - 4
    EXPECT_EQ(WidthOf(rules, "grb_Retrys"), 100);     // trunc(371 * 0.27)
    EXPECT_EQ(LeftOf(rules, "grb_Retrys"), 282);
    EXPECT_EQ(LeftOf(rules, "chb_KCopyD"), 80);   // (363 * 2) / 10 + 8
    EXPECT_EQ(LeftOf(rules, "chb_KMT"), 298);     // (363 * 8) / 10 + 8, beside the copy letters
    EXPECT_EQ(LeftOf(rules, "chb_KAplusT"), 229); // (230 * 6) / 7 + 32
}

} // namespace
} // namespace talvex::presentation
