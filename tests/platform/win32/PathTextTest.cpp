// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PathText.h"

#include <gtest/gtest.h>

#include "core/formats/TextLines.h"
#include "fakes/TempFolder.h"
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

} // namespace
} // namespace talvex::platform
