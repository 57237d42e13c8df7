// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SettingsFolder.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/services/Paths.h"
#include "fakes/TempFolder.h"

namespace talvex::settings {
namespace {

using fakes::TempFolder;
namespace fs = std::filesystem;

class ScriptedFirstRun final : public FirstRunChoice {
public:
    explicit ScriptedFirstRun(std::optional<SettingsLocation> answer) : m_answer(answer) {}
    std::optional<SettingsLocation> chooseSettingsLocation(SettingsLocation preselected) override {
        ++asked;
        offered = preselected;
        return m_answer;
    }
    int asked = 0;
    std::optional<SettingsLocation> offered;

private:
    std::optional<SettingsLocation> m_answer;
};

class FindSettingsFolderTest : public ::testing::Test {
protected:
    TempFolder root;
    std::string program = root.file("prog");
    std::string appData = root.file("home/.config"); // missing: the first run must make its parents
    std::string candidate = JoinPath(appData, "Talvex");
    void SetUp() override { fs::create_directories(program); }
};

TEST_F(FindSettingsFolderTest, AnExistingSettingsFileDecidesWithoutAsking) {
    fs::create_directories(candidate);
    TempFolder::Write(SettingsFilePath(candidate), "");
    ScriptedFirstRun choice(SettingsLocation::ProgramFolder);

    auto found = FindSettingsFolder(IncludeTrailingSeparator(program), appData, choice);
    EXPECT_EQ(found.folder, candidate);
    EXPECT_FALSE(found.firstRun);

    TempFolder::Write(SettingsFilePath(program), ""); // the program folder wins over application data
    found = FindSettingsFolder(program, appData, choice);
    EXPECT_EQ(found.folder, program);
    EXPECT_EQ(choice.asked, 0);
}

TEST_F(FindSettingsFolderTest, FirstRunAsksWithApplicationDataPreselected) {
    const struct {
        const char* name;
        std::optional<SettingsLocation> answer;
        bool applicationData;
    } cases[] = {
        {"application data taken", SettingsLocation::ApplicationData, true},
        {"dialog closed without choosing", std::nullopt, true},
        {"program folder taken", SettingsLocation::ProgramFolder, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root.file("home"));
        ScriptedFirstRun choice(c.answer);
        const auto found = FindSettingsFolder(program, appData, choice);
        EXPECT_EQ(choice.offered, SettingsLocation::ApplicationData);
        EXPECT_TRUE(found.firstRun);
        EXPECT_FALSE(found.error.has_value());
        EXPECT_EQ(found.folder, c.applicationData ? candidate : program);
        EXPECT_TRUE(fs::is_directory(found.folder));
        EXPECT_FALSE(fs::exists(SettingsFilePath(found.folder))); // written at shutdown only
    }
}

TEST_F(FindSettingsFolderTest, AFolderThatCannotBeMadeIsReported) {
    TempFolder::Write(root.file("home"), "a file where a folder belongs");
    ScriptedFirstRun choice(SettingsLocation::ApplicationData);
    const auto found = FindSettingsFolder(program, appData, choice);
    ASSERT_TRUE(found.error.has_value());
    EXPECT_EQ(found.error->path, candidate);
    EXPECT_FALSE(found.error->reason.empty());
}

} // namespace
} // namespace talvex::settings
