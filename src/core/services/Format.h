// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace talvex {

/// Fills the placeholders of a message in order: each "%s" or "%d" takes the next argument,
/// "%%" gives "%". A placeholder without an argument is left as it stands and a surplus argument
/// is ignored, so a translation with a wrong placeholder count never crashes.
/// Positional forms ("%1:s") are not supported; messages use plain order.
[[nodiscard]] std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);

/// A log label: the text padded on the right with blanks to at least ten characters (not bytes, so
/// a translated label with umlauts lines up the same), for the value that follows it directly.
[[nodiscard]] std::string PaddedLabel(std::string_view text);

} // namespace talvex
