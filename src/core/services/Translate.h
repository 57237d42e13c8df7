// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace talvex {

/// The text domain of every message of the program.
inline constexpr const char* kTextDomain = "default";

/// Returns the translation of a German message (UTF-8) in the current language, or the message
/// itself when no catalogue holds it. Every user-visible text goes through here, fetched when used.
[[nodiscard]] std::string tr(const char* germanText);

/// Marks a text for extraction without translating it, for tables whose texts are translated
/// later, when they are shown.
constexpr const char* N_(const char* germanText) {
    return germanText;
}

} // namespace talvex

namespace talvex {

/// Points the text domain at the catalogue folder ("locale" beside the program) and makes the
/// library return UTF-8. Called once at start-up, after the process locale is set.
void InitCatalogues(const std::string& localeFolder);

} // namespace talvex
