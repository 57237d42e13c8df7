// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PathText.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "core/formats/TextLines.h"
#include "core/media/ISOImage.h"
#include "core/settings/SettingsFolder.h"
#include "fakes/TempFolder.h"
#include "platform/Files.h"
#include "platform/win32/Wide.h"

namespace talvex::platform {
namespace {

// The fault this guards against: a UTF-8 name through the narrow path constructor names another
// file on Windows, in or outside the ANSI code page alike.
TEST(Win32PathText, Utf8NamesReachTheFileTheyName) {
    const fakes::TempFolder temp;
    for (const char* name : {"Müll", "Ωmega"}) {
        const std::string folder = Utf8FromPath(temp.path()) + "\\" + name;
        std::filesystem::create_directory(PathFromUtf8(folder));
        const DWORD attributes = ::GetFileAttributesW(win32::Widen(folder).c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << name;
        EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
        EXPECT_EQ(Utf8FromPath(PathFromUtf8(folder)), folder);
        EXPECT_EQ(Utf8FromPath(PathFromUtf8(folder).filename()), name);
    }
}

TEST(Win32PathText, JobFilesInAFolderOutsideTheCodePageAreSavedAndLoaded) {
    const fakes::TempFolder temp;
    const std::string folder = Utf8FromPath(temp.path()) + "\\Ωmega";
    std::filesystem::create_directory(PathFromUtf8(folder));
    const formats::LineList lines{"::", "/SD:C:\\Müll"};
    ASSERT_TRUE(formats::SaveTextLines(folder + "\\job.rcj", lines));
    const auto loaded = formats::LoadTextLines(folder + "\\job.rcj");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.value(), lines);
}

class ApplicationDataFirst final : public settings::FirstRunChoice {
public:
    std::optional<settings::SettingsLocation> chooseSettingsLocation(settings::SettingsLocation) override {
        ++asked;
        return settings::SettingsLocation::ApplicationData;
    }
    int asked = 0;
};

// The first run makes the settings folder below a profile named outside ASCII; the next start must
// find the settings file there rather than ask again and start from nothing.
TEST(Win32PathText, SettingsFolderBelowAUtf8ProfileIsMadeAndFoundAgain) {
    const fakes::TempFolder temp;
    const std::string profile = Utf8FromPath(temp.path()) + "\\Müll";
    ApplicationDataFirst choice;

    const auto made = settings::FindSettingsFolder(profile + "\\prog", profile, choice);
    ASSERT_FALSE(made.error) << made.error->describe();
    EXPECT_EQ(made.folder, profile + "\\Talvex");
    EXPECT_NE(::GetFileAttributesW(win32::Widen(made.folder).c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_FALSE(WriteFileAtomically(settings::SettingsFilePath(made.folder), ""));
    const auto found = settings::FindSettingsFolder(profile + "\\prog", profile, choice);
    EXPECT_EQ(found.folder, made.folder);
    EXPECT_FALSE(found.firstRun);
    EXPECT_EQ(choice.asked, 1);
}

// Through the narrow name the size was taken of a folder that does not exist: 0 KiB.
TEST(Win32PathText, ImageFolderBelowAUtf8NameIsSized) {
    const fakes::TempFolder temp;
    const std::string root = Utf8FromPath(temp.path()) + "\\Müll";
    std::filesystem::create_directories(PathFromUtf8(root + "\\Ωmega"));
    ASSERT_FALSE(WriteFileAtomically(root + "\\Ωmega\\a.bin", std::string(3072, 'x')));
    ASSERT_FALSE(WriteFileAtomically(root + "\\b.bin", std::string(1024, 'x')));
    EXPECT_EQ(media::FolderSizeKiB(root), 4u);
}

} // namespace
} // namespace talvex::platform
