// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/PathFieldRules.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WorkspaceFixture.h"
#include "core/settings/IniStore.h"
#include "core/settings/PathSettings.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/FakeVolumeProbes.h"
#include "fakes/ScriptedUserInterface.h"
#include "fakes/TempFolder.h"

namespace talvex::workspace {
namespace {

using options::Control;

class PathFieldRulesTest : public ::testing::Test {
protected:
    fakes::TempFolder folder;
    fakes::FakeJobEnvironment environment;
    fakes::ScriptedUserInterface ui;
    fakes::FakeVolumeProbes volumes;
    testing::CharacterMeasurer measurer;
    settings::IniStore store;
    settings::PathSettings paths{store, folder.path().string()};
    options::JobState job{environment};

    PathFieldRules rules(bool withSettings = true) {
        return PathFieldRules(job, {ui, volumes, withSettings ? &paths : nullptr, "/home/anna/Dokumente"});
    }
};

TEST_F(PathFieldRulesTest, UnwritableDestinationIsTakenOnlyAfterYesAndRememberedEitherWay) {
    const std::string readOnly = folder.file("nur-lesen");
    std::filesystem::create_directory(readOnly);
    volumes.readOnlyFolders = {readOnly};
    volumes.fileSystems[readOnly] = "ext4";
    const bool noDestinationBefore = job.isTicked(Control::chb_PNoDD);
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        ui.folderChoices = {readOnly + "/"};
        ui.answers = {answer};
        rules().chooseDestinationFolder(measurer);
        const bool taken = answer == Answer::Yes;
        EXPECT_EQ(job.text(Control::edt_PDD), taken ? readOnly : "");
        EXPECT_EQ(job.isTicked(Control::chb_PNoDD), taken ? false : noDestinationBefore);
        // The path stands on a line of its own below the warning.
        EXPECT_NE(ui.messages.back().text.find("Berechtigung"), std::string::npos);
        EXPECT_NE(ui.messages.back().text.find("\n" + readOnly), std::string::npos);
        // Chosen is chosen: the folder joins the history even when the user kept the old one.
        EXPECT_EQ(rules().historyEntries(PathHistory::Destination), std::vector<std::string>{readOnly});
    }
    // A writable folder asks nothing; without settings nothing is remembered.
    ui.messages.clear();
    ui.folderChoices = {folder.path().string()};
    rules(false).chooseDestinationFolder(measurer);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(job.text(Control::edt_PDD), folder.path().string());
    EXPECT_FALSE(rules(false).hasHistory(PathHistory::Destination));
}

TEST_F(PathFieldRulesTest, ImageChooserStartsInTheRememberedFolderWhileItExists) {
    const std::string images = folder.file("abbilder");
    std::filesystem::create_directory(images);
    const struct {
        const char* remembered; // "Image"/"Pfad"; nullptr: nothing remembered
        bool withSettings;
        std::string start;
    } cases[] = {
        {nullptr, true, folder.path().string()},
        {"abbilder", true, images},
        {"/gibt/es/nicht", true, folder.path().string()},
        {nullptr, false, "/home/anna/Dokumente"},
    };
    for (const auto& c : cases) {
        store = {};
        if (c.remembered != nullptr) {
            store.writeString("Image", "Pfad", c.remembered);
        }
        ui.saveChoices = {std::nullopt};
        rules(c.withSettings).chooseImageFile();
        EXPECT_EQ(ui.saveRequests.back().initialFolder, c.start) << (c.remembered ? c.remembered : "-");
    }
    // A chosen file fills the field and joins the image history, which lists files yet to be made.
    ui.saveChoices = {FileDialogResult{images + "/neu.iso", 0, false}};
    rules().chooseImageFile();
    EXPECT_EQ(job.text(Control::edt_IImage), images + "/neu.iso");
    EXPECT_EQ(rules().historyEntries(PathHistory::Image), std::vector<std::string>{images + "/neu.iso"});
}

TEST_F(PathFieldRulesTest, HistoryItemFillsItsFieldWithoutAProbe) {
    volumes.readOnlyFolders = {"/srv/ziel"};
    volumes.fileSystems["/srv/ziel"] = "xfs";
    rules().applyHistoryItem(PathHistory::Destination, "/srv/ziel/");
    EXPECT_EQ(job.text(Control::edt_PDD), "/srv/ziel");
    EXPECT_FALSE(job.isTicked(Control::chb_PNoDD));
    EXPECT_TRUE(ui.messages.empty());
    rules().applyHistoryItem(PathHistory::Image, "/srv/a.iso");
    EXPECT_EQ(job.text(PathFieldRules::Field(PathHistory::Image)), "/srv/a.iso");
}

// A dropped folder and a swap pass the same write probe as a chosen one: a refused destination
// leaves the job as it was, and only a taken folder is remembered.
TEST_F(PathFieldRulesTest, DroppedAndSwappedDestinationsAreProbedLikeChosenOnes) {
    const std::string readOnly = folder.file("nur-lesen");
    const std::string writable = folder.file("frei");
    volumes.readOnlyFolders = {readOnly};
    volumes.fileSystems = {{readOnly, "ntfs3"}, {writable, "ext4"}};
    ui.answers = {Answer::No};
    EXPECT_FALSE(rules().takeDestinationFolder(readOnly + "/", measurer));
    EXPECT_EQ(job.destinationPath(), "");
    EXPECT_FALSE(rules().hasHistory(PathHistory::Destination));

    rules().takeSourceFolder(readOnly);
    EXPECT_TRUE(rules().takeDestinationFolder(writable, measurer));
    ui.answers = {Answer::No};
    EXPECT_FALSE(rules().swapFolders(measurer));
    EXPECT_EQ(job.sourcePath(), readOnly);
    EXPECT_EQ(job.destinationPath(), writable);

    ui.answers = {Answer::Yes};
    EXPECT_TRUE(rules().swapFolders(measurer));
    EXPECT_EQ(job.sourcePath(), writable);
    EXPECT_EQ(job.destinationPath(), readOnly);
    EXPECT_EQ(job.text(Control::lbl_DDE), "ntfs3") << "the file-system label follows the folder";
}

} // namespace
} // namespace talvex::workspace
