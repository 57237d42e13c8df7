// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SaveSettings.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "fakes/FullDisk.h"
#include "fakes/ScriptedUserInterface.h"
#include "fakes/TempFolder.h"

namespace talvex::settings {
namespace {

using fakes::TempFolder;

TEST(SaveSettings, AFailedWriteKeepsTheOldFileAndTellsWhichFileAndWhy) {
    TempFolder folder;
    const std::string path = folder.file("Talvex.ini");
    TempFolder::Write(path, "[Settings]\nNew=1\n");
    auto opened = IniStore::Open(path, IniEncoding::Utf16LeWithMark);
    opened.store.writeString("Settings", "New", "0");

    fakes::ScriptedUserInterface ui;
    fakes::FullDisk disk;
    EXPECT_FALSE(SaveSettings(opened.store, ui, disk));
    EXPECT_EQ(TempFolder::Read(path), "[Settings]\nNew=1\n");
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_NE(ui.messages[0].text.find(path), std::string::npos);
    EXPECT_NE(ui.messages[0].text.find(std::strerror(ENOSPC)), std::string::npos);

    EXPECT_TRUE(SaveSettings(opened.store, ui));
    EXPECT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(IniStore::Open(path, IniEncoding::Utf16LeWithMark).store.readString("Settings", "New", ""), "0");
}

TEST(SaveSettings, SettingsThatCouldNotBeReadAreNeverOverwritten) {
    TempFolder folder;
    const std::string path = folder.file("Talvex.ini");
    std::filesystem::create_directory(path); // exists, but cannot be read as a file
    auto opened = IniStore::Open(path, IniEncoding::Utf16LeWithMark);
    ASSERT_TRUE(opened.error.has_value());
    opened.store.writeString("Settings", "New", "0");

    fakes::ScriptedUserInterface ui;
    EXPECT_FALSE(SaveSettings(opened.store, ui));
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(ui.messages.size(), 1U);
}

} // namespace
} // namespace talvex::settings
