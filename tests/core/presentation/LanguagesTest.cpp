// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/Languages.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/services/Translate.h"
#include "fakes/MoCatalogue.h"
#include "fakes/TempFolder.h"

namespace talvex::presentation {
namespace {

using fakes::CatalogueHeaderText;
using fakes::MoCatalogue;
using fakes::WriteCatalogue;

// The library reads LANGUAGE only outside the "C" message locale, as the program arranges at start.
class LanguagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::setlocale(LC_MESSAGES, "C.UTF-8");
        InitCatalogues(m_folder.file("locale"));
        SwitchLanguage("");
    }
    void TearDown() override { SwitchLanguage(""); }

    [[nodiscard]] std::filesystem::path locale() const { return m_folder.path() / "locale"; }

    fakes::TempFolder m_folder;
};

TEST_F(LanguagesTest, HeaderFieldsAreFoundWhateverTheirCase) {
    const CatalogueHeader header =
        ParseCatalogueHeader("LAST-TRANSLATOR: Ann Example <ann@example.org>\nx-poedit-language:  English \n"
                             "Content-Type: text/plain; CHARSET=iso-8859-1\nbroken line\n");
    EXPECT_EQ(header.displayName, "English");
    EXPECT_EQ(header.translator, "Ann Example <ann@example.org>");
    EXPECT_EQ(header.charset, "iso-8859-1");
}

TEST_F(LanguagesTest, ListsTheCataloguesTheLibraryFindsAndRefusesOtherCharsets) {
    WriteCatalogue(locale(), "en", MoCatalogue({{"", CatalogueHeaderText("English", "Ann")}, {"Neu", "New"}}));
    WriteCatalogue(locale(), "de", MoCatalogue({{"", CatalogueHeaderText("Deutsch", "")}}));
    WriteCatalogue(locale(), "fr", MoCatalogue({{"", CatalogueHeaderText("Français", "Luc", "ISO-8859-1")}}));
    WriteCatalogue(locale(), "nn", MoCatalogue({{"", CatalogueHeaderText("", "nobody")}})); // no display name
    WriteCatalogue(locale(), "xx", "not a catalogue at all");
    std::filesystem::create_directories(locale() / "empty");
    fakes::TempFolder::Write((locale() / "README").string(), "text");
    SwitchLanguage("en");

    const LanguageList list = ListLanguages(locale().string());

    ASSERT_EQ(list.languages.size(), 2U);
    EXPECT_EQ(list.languages[0].code, "de");
    EXPECT_EQ(list.languages[0].caption, "Deutsch");
    EXPECT_EQ(list.languages[1].code, "en");
    EXPECT_EQ(list.languages[1].caption, "English");
    EXPECT_EQ(list.refused, std::vector<std::string>{"fr"});
    // Listing switched through every catalogue and back to the one in use.
    EXPECT_EQ(CurrentLanguage(), "en");
    EXPECT_EQ(tr("Neu"), "New");
}

// glibc caches lookups: without dropping its cache a switch would keep serving the old language.
TEST_F(LanguagesTest, SwitchingBackAndForthChangesEveryMessage) {
    WriteCatalogue(locale(), "en", MoCatalogue({{"", CatalogueHeaderText("English", "Ann")}, {"Neu", "New"}}));
    WriteCatalogue(locale(), "fr", MoCatalogue({{"", CatalogueHeaderText("Français", "Luc")}, {"Neu", "Nouveau"}}));
    for (const auto& [code, text] :
         {std::pair{"en", "New"}, std::pair{"fr", "Nouveau"}, std::pair{"de", "Neu"}, std::pair{"en", "New"}}) {
        SwitchLanguage(code);
        EXPECT_EQ(tr("Neu"), text) << code;
    }
    EXPECT_EQ(ParseCatalogueHeader(CurrentCatalogueHeader()).translator, "Ann");
}

TEST_F(LanguagesTest, StartLanguageFromTheCommandLine) {
    const std::vector<Language> languages = {{"de", "Deutsch"}, {"en", "English"}, {"pt_br", "Português"}};
    struct Case {
        std::optional<std::string> parameter;
        const char* code;
        const char* unknown;
    };
    for (const Case& c : {
             Case{std::nullopt, "", ""}, Case{"en", "en", ""},
             Case{" en", "en", ""},      // "-l en": the blank after -l is no part of the code
             Case{"pt_br", "pt_br", ""}, // a folder with a region is chosen as it is named
             Case{"fr", "de", "fr"},     // unknown: German, and the caller logs it
         }) {
        std::string unknown;
        EXPECT_EQ(StartLanguage(c.parameter, languages, unknown), c.code) << c.parameter.value_or("<none>");
        EXPECT_EQ(unknown, c.unknown);
    }
}

TEST_F(LanguagesTest, LanguageInUseMatchesTheCodeOrItsLanguagePart) {
    const std::vector<Language> languages = {{"de", "Deutsch"}, {"en", "English"}};
    struct Case {
        const char* current;
        const char* caption;
    };
    for (const Case& c : {Case{"en", "English"}, Case{"de_DE.UTF-8", "Deutsch"}, Case{"en:de", "English"},
                          Case{"C.UTF-8", "<none>"}, Case{"fr_FR", "<none>"}}) {
        const Language* language = LanguageInUse(languages, c.current);
        EXPECT_EQ(language != nullptr ? language->caption : "<none>", c.caption) << c.current;
    }
}

TEST_F(LanguagesTest, CatalogueFolderBesideTheProgramElseInstalled) {
    const std::filesystem::path bin = m_folder.path() / "bin";
    std::filesystem::create_directories(bin);
    const std::filesystem::path installed = m_folder.path() / "share" / "talvex" / "locale";
    std::filesystem::create_directories(installed);
    EXPECT_EQ(FindCatalogueFolder(bin.string()), installed.string());
    EXPECT_EQ(FindCatalogueFolder((m_folder.path() / "lib" / "talvex").string()), installed.string());
    std::filesystem::create_directories(bin / "locale");
    EXPECT_EQ(FindCatalogueFolder(bin.string()), (bin / "locale").string());
}

} // namespace
} // namespace talvex::presentation
