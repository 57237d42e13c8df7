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

/// Points the text domain at the catalogue folder (laid out as <code>/LC_MESSAGES/default.mo)
/// and makes the library return UTF-8. Called at start-up, after the process locale is set.
void InitCatalogues(const std::string& localeFolder);

/// Makes `code` (a catalogue folder's name) the language of every message fetched from now on;
/// an empty code leaves the choice to the environment's locale.
void SwitchLanguage(const std::string& code);

/// The code last switched to, else the environment's message locale ("de_DE.UTF-8", "C").
[[nodiscard]] std::string CurrentLanguage();

/// The header of the catalogue in use ("Field: value" lines); empty without a catalogue.
[[nodiscard]] std::string CurrentCatalogueHeader();

} // namespace talvex
