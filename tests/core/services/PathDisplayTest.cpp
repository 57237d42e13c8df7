// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/PathDisplay.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace talvex {
namespace {

// Every character 7 pixels wide; bytes of a multi-byte character after the first do not count.
class FixedWidth final : public TextMeasurer {
public:
    int width(std::string_view utf8) const override {
        int characters = 0;
        for (const char c : utf8) {
            characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        }
        return characters * 7;
    }
};

int Px(std::string_view text) {
    return FixedWidth().width(text);
}

// Remembers what it was asked to measure, so the candidates the shortening tried can be checked.
class RecordingWidth final : public TextMeasurer {
public:
    mutable std::vector<std::string> measured;
    int width(std::string_view utf8) const override {
        measured.emplace_back(utf8);
        return Px(utf8);
    }
};

TEST(ShortenPath, DropsTheFoldersNearestTheDriveOneByOne) {
    struct Case {
        const char* path;
        PathStyle style;
        std::vector<std::string> candidates; // the path, then every shortened form tried
    };
    const Case cases[] = {
        {R"(C:\a\b\c\d.iso)",
         PathStyle::Windows,
         {R"(C:\a\b\c\d.iso)", R"(C:\...\b\c\d.iso)", R"(C:\...\c\d.iso)", R"(C:\...\d.iso)"}},
        {R"(\\srv\share\a\b\x.rcj)",
         PathStyle::Windows,
         {R"(\\srv\share\a\b\x.rcj)", R"(\\srv\share\...\b\x.rcj)", R"(\\srv\share\...\x.rcj)"}},
        {"/home/u/docs/x.iso",
         PathStyle::Posix,
         {"/home/u/docs/x.iso", "/.../u/docs/x.iso", "/.../docs/x.iso", "/.../x.iso"}},
        {"rel/a/x", PathStyle::Posix, {"rel/a/x", ".../a/x", ".../x"}},
        {"x.iso", PathStyle::Posix, {"x.iso"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const RecordingWidth measurer;
        // Nothing narrower than drive and name exists: the last form is returned although too wide.
        EXPECT_EQ(ShortenPath(c.path, 1, measurer, c.style), c.candidates.back());
        EXPECT_EQ(measurer.measured, c.candidates);
    }
}

TEST(ShortenPath, StopsAtTheFirstFormThatFits) {
    const FixedWidth measurer;
    const std::string path = R"(C:\Programme\Talvex\Jobs\Sicherung.rcj)";
    EXPECT_EQ(ShortenPath(path, Px(path), measurer, PathStyle::Windows), path);
    EXPECT_EQ(ShortenPath(path, Px(path) - 1, measurer, PathStyle::Windows), R"(C:\...\Talvex\Jobs\Sicherung.rcj)");
    EXPECT_EQ(ShortenPath(path, Px(R"(C:\...\Jobs\Sicherung.rcj)"), measurer, PathStyle::Windows),
              R"(C:\...\Jobs\Sicherung.rcj)");
}

TEST(FitMessageAndPath, BreaksTheMessageAtBlanksAndPutsThePathBelow) {
    const FixedWidth measurer;
    const std::string message = "Sie verfügen nicht über die Berechtigung zum Speichern in diesem Verzeichnis. Diese "
                                "Warnung ignorieren?";
    const std::string text = FitMessageAndPath(message, R"(C:\x\y.rcj)", 350, measurer, PathStyle::Windows);
    EXPECT_EQ(text, "Sie verfügen nicht über die Berechtigung zum\r\n"
                    "Speichern in diesem Verzeichnis. Diese Warnung\r\n"
                    "ignorieren?\r\n"
                    "C:\\x\\y.rcj");

    EXPECT_EQ(FitMessageAndPath("short", "/a/b", 100, measurer, PathStyle::Posix), "short\r\n/a/b");
    // A word wider than the line stands on its own line; the others still share lines.
    EXPECT_EQ(FitMessageAndPath("a Überlangeswort b c", "/p", 50, measurer, PathStyle::Posix),
              "a\r\nÜberlangeswort\r\nb c\r\n/p");
}

} // namespace
} // namespace talvex
