// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvex::presentation {

/// The fields of a catalogue header the program reads.
struct CatalogueHeader {
    std::string displayName; ///< X-Poedit-Language: the caption of the language's menu item
    std::string translator;  ///< Last-Translator
    std::string charset;     ///< from Content-Type; empty when the header names none
};

/// Reads "Field: value" lines; field names compare without regard to ASCII case.
[[nodiscard]] CatalogueHeader ParseCatalogueHeader(std::string_view header);

/// One language of the menu: the catalogue folder's name, which is the code switched to, and the
/// display name its catalogue gives itself.
struct Language {
    std::string code;
    std::string caption;
};

/// The catalogues found beside the program.
struct LanguageList {
    std::vector<Language> languages;  ///< in the order of the folder names
    std::vector<std::string> refused; ///< folders whose catalogue is not UTF-8: never switched to
};

/// Lists every folder of `localeFolder` that holds a catalogue with a display name, reading each
/// header through the library (so a listed language is one the library really finds), and
/// switches back to the language in use before. Catalogues must be bound to `localeFolder`.
[[nodiscard]] LanguageList ListLanguages(const std::string& localeFolder);

/// The catalogue folder: "locale" beside the program in the build tree, else the one installed
/// under the data folder (<prefix>/share/talvex/locale beside <prefix>/bin).
[[nodiscard]] std::string FindCatalogueFolder(const std::string& programFolder);

/// The code the program starts in. A "-l" code (blanks around it ignored) that names a listed
/// language wins; an unknown one falls back to German, and `unknown` is set to it for a log line.
/// Without "-l" the result is empty: the environment's locale decides.
[[nodiscard]] std::string StartLanguage(const std::optional<std::string>& parameter,
                                        const std::vector<Language>& languages, std::string& unknown);

/// The item the language in use belongs to: the code itself, else its language part ("de" for
/// "de_DE.UTF-8"); nullptr when none fits.
[[nodiscard]] const Language* LanguageInUse(const std::vector<Language>& languages, std::string_view current);

} // namespace talvex::presentation
