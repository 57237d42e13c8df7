// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/ShortPaths.h"

#include <map>

#include <gtest/gtest.h>

#include "platform/Unicode.h"

namespace talvex {
namespace {

// A Windows volume with short names, as far as the walk can see it: the code page is taken to hold
// ASCII only, and every known entry has its long and short name.
class FakeVolume final : public platform::DirectoryEntryLookup {
public:
    std::map<std::string, platform::DirectoryEntryNames> entries;

    bool fitsCodePage(std::string_view component) const override { return !platform::NeedsUnicode(component); }
    std::optional<platform::DirectoryEntryNames> find(const std::string& path) const override {
        const auto it = entries.find(path);
        return it == entries.end() ? std::nullopt : std::optional(it->second);
    }
};

constexpr auto W = PathStyle::Windows;
const std::string kMuell = "M\xC3\xBCll";

FakeVolume VolumeWithMuell() {
    FakeVolume volume;
    volume.entries[R"(C:\)" + kMuell] = {kMuell, "MLL~1 "}; // padded, as some file systems report it
    volume.entries[std::string(R"(C:\MLL~1\)") + "Sch\xC3\xB6n"] = {"Sch\xC3\xB6n", "SCHN~1"};
    volume.entries[R"(C:\MLL~1)"] = {kMuell, "MLL~1"};
    volume.entries[R"(C:\)" + kMuell + R"(\SCHN~1)"] = {"Sch\xC3\xB6n", "SCHN~1"};
    return volume;
}

TEST(ShortPaths, UnicodeComponentsTravelAsShortNamesAndComeBack) {
    const FakeVolume volume = VolumeWithMuell();
    struct Case {
        std::string longPath;
        std::string codePagePath;
    };
    const Case cases[] = {
        {R"(C:\)" + kMuell, R"(C:\MLL~1)"},
        {R"(C:\)" + kMuell + R"(\Sch)" + "\xC3\xB6n" + R"(\file.txt)", R"(C:\MLL~1\SCHN~1\file.txt)"},
        {R"(C:\)" + kMuell + "\\", R"(C:\MLL~1\)"}, // the empty last component stays
        {R"(C:\plain\ascii)", R"(C:\plain\ascii)"},
        {R"(\\server\share\x)", R"(\\server\share\x)"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.longPath);
        const ConvertedPath there = ToCodePagePath(c.longPath, volume, W);
        EXPECT_EQ(there.path, c.codePagePath);
        EXPECT_TRUE(there.complete());
        const ConvertedPath back = ToLongPath(c.codePagePath, volume, W);
        EXPECT_EQ(back.path, c.longPath);
        EXPECT_TRUE(back.complete());
    }
}

TEST(ShortPaths, ComponentsThatCannotBeConvertedAreKeptAndReported) {
    FakeVolume volume = VolumeWithMuell();
    volume.entries[R"(C:\)" + std::string("\xC3\x84rger")] = {"\xC3\x84rger", ""}; // short names switched off

    const ConvertedPath missing = ToCodePagePath(R"(C:\neu\)" + kMuell + R"(\x)", volume, W);
    EXPECT_EQ(missing.path, R"(C:\neu\)" + kMuell + R"(\x)");
    EXPECT_EQ(missing.unconverted, std::vector<std::string>{kMuell});

    const ConvertedPath noShortName = ToCodePagePath("C:\\\xC3\x84rger", volume, W);
    EXPECT_EQ(noShortName.path, "C:\\\xC3\x84rger");
    EXPECT_FALSE(noShortName.complete());

    const ConvertedPath tilde = ToLongPath(R"(C:\ABSENT~1\x)", volume, W);
    EXPECT_EQ(tilde.path, R"(C:\ABSENT~1\x)");
    EXPECT_EQ(tilde.unconverted, std::vector<std::string>{"ABSENT~1"});
}

TEST(ShortPaths, PosixKeepsEveryComponent) {
    const platform::PosixDirectoryEntryLookup lookup;
    for (const std::string& path : {"/home/u/" + kMuell + "/x~1/", std::string("/tmp/\xFF"), std::string("rel/a")}) {
        EXPECT_EQ(ToCodePagePath(path, lookup, PathStyle::Posix).path, path);
        EXPECT_EQ(ToLongPath(path, lookup, PathStyle::Posix).path, path);
        EXPECT_TRUE(ToLongPath(path, lookup, PathStyle::Posix).complete());
    }
}

} // namespace
} // namespace talvex
