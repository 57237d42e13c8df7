// SPDX-License-Identifier: GPL-3.0-or-later
// tr() on Windows, where the catalogues are read without libintl.
#include <filesystem>

#include <gtest/gtest.h>

#include "core/services/Translate.h"
#include "fakes/MoCatalogue.h"
#include "fakes/TempFolder.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;

class TranslateFromCatalogueTest : public ::testing::Test {
protected:
    void TearDown() override {
        SwitchLanguage("");
        InitCatalogues("");
    }
    fakes::TempFolder m_locale;
};

TEST_F(TranslateFromCatalogueTest, TheChosenLanguageTranslatesAndAnyOtherGivesTheGermanText) {
    fs::copy_file(TALVEX_BIN_DIR "/locale/en/LC_MESSAGES/default.mo", m_locale.path() / "en.mo");
    fakes::WriteCatalogue(m_locale.path(), "en", fakes::TempFolder::Read(m_locale.file("en.mo")));
    InitCatalogues(m_locale.path().string());

    SwitchLanguage("en");
    EXPECT_EQ(tr("Abbrechen"), "Cancel");
    EXPECT_EQ(tr(""), "") << "the empty message is the header's key, not a text";
    EXPECT_NE(CurrentCatalogueHeader().find("Content-Type"), std::string::npos);
    EXPECT_EQ(CurrentLanguage(), "en");

    SwitchLanguage("en_GB.UTF-8"); // falls back to the language without its country
    EXPECT_EQ(tr("Abbrechen"), "Cancel");

    SwitchLanguage("fr");
    EXPECT_EQ(tr("Abbrechen"), "Abbrechen");
    EXPECT_EQ(CurrentCatalogueHeader(), "");
}

TEST_F(TranslateFromCatalogueTest, ATruncatedCatalogueGivesTheGermanText) {
    const std::string good = fakes::MoCatalogue({{"Abbrechen", "Cancel"}});
    fakes::WriteCatalogue(m_locale.path(), "en", good.substr(0, good.size() - 3));
    InitCatalogues(m_locale.path().string());
    SwitchLanguage("en");
    EXPECT_EQ(tr("Abbrechen"), "Abbrechen");
}

} // namespace
} // namespace talvex
