// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/media/ImageTabRules.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/options/OptionCatalogue.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/ScriptedUserInterface.h"
#include "fakes/TempFolder.h"

namespace talvex::media {
namespace {

using options::Control;

class ImageTabRulesTest : public ::testing::Test {
protected:
    ImageTabRulesTest() {
        std::filesystem::create_directories(m_temp.path() / "bin");
        fakes::TempFolder::Write(m_mkisofs, "");
        std::filesystem::permissions(m_mkisofs, std::filesystem::perms::owner_all);
        m_environment.existingFiles.insert(m_mkisofs);
        m_environment.burningTool = true;
        m_job.setText(Control::edt_IImage, "/tmp/bild.iso");
    }

    fakes::TempFolder m_temp;
    const std::string m_mkisofs = m_temp.file("bin/mkisofs");
    fakes::FakeJobEnvironment m_environment;
    options::JobState m_job{m_environment};
    fakes::ScriptedUserInterface m_ui;
    settings::IniStore m_store;
    settings::PathSettings m_paths{m_store, m_temp.file("settings")};
    ImageTabRules m_rules{m_job, {m_ui, &m_paths, &m_store, {"/dev/sr0 (1:0:0) ASUS DRW"}, {m_temp.file("bin")}}};
};

TEST_F(ImageTabRulesTest, TickingAsksForMkisofsAndStaysTickedOnlyWithOne) {
    m_ui.openChoices = {std::nullopt};
    m_rules.imageClicked(true);
    EXPECT_FALSE(m_job.isTicked(Control::chb_IIMG)) << "cancelled chooser";
    ASSERT_EQ(m_ui.openRequests.size(), 1u);
    EXPECT_EQ(m_ui.openRequests[0].title, options::kMkisofsPlaceholder);
    EXPECT_EQ(m_ui.openRequests[0].initialFolder, m_temp.file("bin")) << "mkisofs on the search path is offered";
    EXPECT_EQ(m_ui.openRequests[0].initialName, "mkisofs");
    EXPECT_EQ(m_ui.openRequests[0].filters[0].patterns,
              (std::vector<std::string>{"mkisofs", "genisoimage", "xorrisofs"}));

    m_ui.openChoices = {FileDialogResult{m_mkisofs}};
    m_rules.imageClicked(true);
    EXPECT_TRUE(m_job.isTicked(Control::chb_IIMG));
    EXPECT_TRUE(m_job.isEnabled(Control::chb_IBurn));
    EXPECT_EQ(m_job.text(Control::edt_Imkisofs), m_mkisofs);
    EXPECT_EQ(m_paths.ReadPathSetting("Image", "mkisofs", true, ""), m_mkisofs);
    EXPECT_FALSE(m_job.isEnabled(Control::sbu_IImage)) << "no image history yet";

    m_paths.acceptImageFile("/tmp/alt.iso");
    m_rules.imageClicked(false);
    m_rules.imageClicked(true); // mkisofs is known now: no second question
    EXPECT_EQ(m_ui.openRequests.size(), 2u);
    EXPECT_TRUE(m_job.isEnabled(Control::sbu_IImage));
    m_rules.imageClicked(false);
    EXPECT_FALSE(m_job.isEnabled(Control::sbu_IImage));
    EXPECT_FALSE(m_job.isEnabled(Control::edt_Imkisofs));
    EXPECT_FALSE(m_job.isEnabled(Control::chb_IBurn));
}

TEST_F(ImageTabRulesTest, MenuChoicesAreKeptInTheSettingsAndComeBackWhenShown) {
    m_rules.chooseSpeed("Max");
    m_rules.chooseBurner(m_rules.burners()[0]);
    m_rules.chooseSpeed(""); // an empty text never overwrites the setting
    EXPECT_EQ(m_store.readString("Burn", "Speed", ""), "Max");
    EXPECT_EQ(m_store.readString("Burn", "Drive", ""), "/dev/sr0 (1:0:0) ASUS DRW");

    m_paths.writePath("Image", "mkisofs", m_mkisofs);
    m_job.setText(Control::edt_IBrenner, "anders");
    m_rules.shown();
    EXPECT_EQ(m_job.text(Control::edt_ISpeed), "Max");
    EXPECT_EQ(m_job.text(Control::edt_IBrenner), "/dev/sr0 (1:0:0) ASUS DRW");
    EXPECT_EQ(m_job.text(Control::edt_Imkisofs), m_mkisofs);

    m_paths.writePath("Image", "mkisofs", m_temp.file("bin/weg"));
    m_job.setText(Control::edt_Imkisofs, "/gibt/es/nicht");
    m_rules.shown();
    EXPECT_EQ(m_job.text(Control::edt_Imkisofs), options::kMkisofsPlaceholder);
}

} // namespace
} // namespace talvex::media
