// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/options/Control.h"

namespace talvex::presentation {

/// Width of a main-window tab button while four or fewer jobs are open.
inline constexpr int kJobTabButtonWidth = 114;

/// Height of the block of eight command buttons in the main window's left column (with its margins).
inline constexpr int kButtonColumnHeight = 524;

/// Left edge of the control in column k of n in a group of width W: ((W - a) * k) div n + b, where
/// div truncates toward zero (so narrow groups give controls left of their base offset).
[[nodiscard]] int ColumnLeft(int groupWidth, int a, int b, int n, int k);

/// Width of each tab of the job window's page control: (width - 1) div N - 10, N = 6 pages while
/// the Image tab is shown, else 5.
[[nodiscard]] int JobPageTabWidth(int pageControlWidth, bool imageView);

/// Horizontal place of one tab button of the main window's tab strip.
struct TabSlot {
    int left = 0;
    int width = 0;
    friend bool operator==(const TabSlot&, const TabSlot&) = default;
};

/// Places of `count` tab buttons in a strip `stripWidth` wide: up to four keep 114 pixels at
/// 114 * i + 2; five or more share the strip, (stripWidth - 4) div count each, without a lower bound.
[[nodiscard]] std::vector<TabSlot> JobTabSlots(std::size_t count, int stripWidth);

/// Top and bottom margins that centre the command buttons vertically in a left column this high.
struct VerticalMargins {
    int top = 0;
    int bottom = 0;
    friend bool operator==(const VerticalMargins&, const VerticalMargins&) = default;
};
[[nodiscard]] VerticalMargins ButtonColumnMargins(int leftColumnHeight);

/// What a layout rule sets on one control of a job page; an empty value keeps the design's.
struct Placement {
    std::string_view control; ///< objectName of the widget (group boxes included)
    std::optional<int> left;
    std::optional<int> width;
};

/// The layout rules of one job page for a page `pageWidth` pixels wide, in the order they apply
/// (a control's left may depend on one placed before it). Controls the rules leave alone keep
/// their design positions and are not listed.
[[nodiscard]] std::vector<Placement> LayoutJobPage(options::Tab page, int pageWidth);

} // namespace talvex::presentation
