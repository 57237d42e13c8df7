// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/Paths.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

constexpr auto W = PathStyle::Windows;
constexpr auto P = PathStyle::Posix;

struct PartsCase {
    const char* path;
    PathStyle style;
    const char* folder;
    const char* name;
    const char* drive;
};

TEST(Paths, SplitsIntoDriveFolderAndName) {
    const PartsCase cases[] = {
        {R"(C:\a\b\d.iso)", W, R"(C:\a\b\)", "d.iso", "C:"},
        {R"(C:d.iso)", W, "C:", "d.iso", "C:"},
        {R"(C:\)", W, R"(C:\)", "", "C:"},
        {R"(\\server\share\a\x.rcj)", W, R"(\\server\share\a\)", "x.rcj", R"(\\server\share)"},
        {R"(\\server\share)", W, R"(\\server\)", "share", R"(\\server\share)"},
        {"C:/mixed/x.bat", W, "C:/mixed/", "x.bat", "C:"},
        {R"(relative\x)", W, R"(relative\)", "x", ""},
        {"1:x", W, "1:", "x", ""}, // not a drive letter, but still a name delimiter
        {"/home/u/M\xC3\xBCll/x.rcj", P, "/home/u/M\xC3\xBCll/", "x.rcj", "/"},
        {R"(/home/u\x)", P, "/home/", R"(u\x)", "/"}, // a backslash is part of a POSIX name
        {"C:x", P, "", "C:x", ""},
        {"x", P, "", "x", ""},
        {"", P, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FolderPart(c.path, c.style), c.folder);
        EXPECT_EQ(FileNamePart(c.path, c.style), c.name);
        EXPECT_EQ(DrivePart(c.path, c.style), c.drive);
        EXPECT_EQ(HasDrivePart(c.path, c.style), *c.drive != '\0');
    }
}

TEST(Paths, TrailingSeparatorsAndJoining) {
    EXPECT_EQ(ExcludeTrailingSeparator(R"(C:\a\)", W), R"(C:\a)");
    EXPECT_EQ(ExcludeTrailingSeparator(R"(C:\)", W), "C:");
    EXPECT_EQ(ExcludeTrailingSeparator("/", P), "/"); // never turns the root into the current folder
    EXPECT_EQ(ExcludeTrailingSeparator("/a/", P), "/a");
    EXPECT_EQ(ExcludeTrailingSeparator("/a", P), "/a");
    EXPECT_EQ(IncludeTrailingSeparator("C:", W), R"(C:\)");
    EXPECT_EQ(IncludeTrailingSeparator("/a/", P), "/a/");
    EXPECT_EQ(IncludeTrailingSeparator("", P), "");

    EXPECT_EQ(JoinPath(R"(C:\a)", "x.rcj", W), R"(C:\a\x.rcj)");
    EXPECT_EQ(JoinPath(R"(C:\a\)", R"(\x.rcj)", W), R"(C:\a\x.rcj)");
    EXPECT_EQ(JoinPath("/", "x", P), "/x");
    EXPECT_EQ(JoinPath("", "x", P), "x");
}

} // namespace
} // namespace talvex
