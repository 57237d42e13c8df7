// SPDX-License-Identifier: GPL-3.0-or-later
#include "burn/BurnArguments.h"

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/TempFolder.h"

namespace talvex::burn {
namespace {

using ::testing::HasSubstr;
using Args = std::vector<std::string>;

TEST(ParseBurnArguments, TakesTheJobRunsSwitchesAndRefusesAnythingElse) {
    const ParsedArguments full = ParseBurnArguments({"/START", "/CLOSE", "/SRC", "/img/a b.iso", "/dest", "/dev/sr0",
                                                     "/SPEED", "Max", "/ERASE", "/LOG", "/img/a b.txt"});
    ASSERT_TRUE(full.arguments) << full.error;
    EXPECT_EQ(full.arguments->source, "/img/a b.iso");
    EXPECT_EQ(full.arguments->destination, "/dev/sr0");
    EXPECT_EQ(full.arguments->logFile, "/img/a b.txt");
    EXPECT_TRUE(full.arguments->erase);
    EXPECT_EQ(XorrisoArguments(*full.arguments),
              (Args{"-as", "cdrecord", "-v", "dev=/dev/sr0", "blank=as_needed", "/img/a b.iso"}));

    const ParsedArguments plain = ParseBurnArguments({"/SRC", "/a.iso", "/DEST", "stdio:/tmp/d", "/SPEED", "8"});
    ASSERT_TRUE(plain.arguments);
    EXPECT_EQ(XorrisoArguments(*plain.arguments),
              (Args{"-as", "cdrecord", "-v", "dev=stdio:/tmp/d", "speed=8", "/a.iso"}));

    struct Refused {
        Args args;
        const char* reason;
    };
    const Refused refused[] = {
        {{"/SRC", "/a.iso", "/DEST", "/dev/sr0", "/FORMAT"}, "unknown switch: /FORMAT"},
        {{"/SRC", "/a.iso", "/DEST", "/dev/sr0", "extra"}, "unknown switch: extra"},
        {{"/SRC", "/a.iso", "/DEST"}, "without a value: /DEST"},
        {{"/SRC", "/a.iso", "/DEST", ""}, "without a value: /DEST"},
        {{"/DEST", "/dev/sr0"}, "no image"},
        {{"/SRC", "/a.iso"}, "no drive"},
        {{"/SRC", "/a.iso", "/DEST", "/dev/sr0", "/DEST", "/dev/sda"}, "twice: /DEST"},
        {{"/SRC", "/a.iso", "/DEST", "/dev/sr0", "/SPEED", "8x"}, "number or Max"},
        {{"/SRC", "/a.iso", "/DEST", "/dev/sr0", "/SPEED", "-1"}, "number or Max"},
    };
    for (const Refused& r : refused) {
        const ParsedArguments parsed = ParseBurnArguments(r.args);
        EXPECT_FALSE(parsed.arguments);
        EXPECT_THAT(parsed.error, HasSubstr(r.reason));
    }
}

TEST(CheckBurnTarget, WritesOnlyToANamedOpticalDriveOrAPlainFile) {
    fakes::TempFolder temp;
    const std::string image = temp.file("a.iso");
    fakes::TempFolder::Write(image, "image");
    std::filesystem::create_directory(temp.file("ordner"));
    struct Case {
        std::string source;
        std::string destination;
        const char* refusal; // empty: accepted
    };
    const Case cases[] = {
        {image, "/dev/sr0", ""},
        {image, "stdio:" + temp.file("disc.bin"), ""},
        {image, "stdio:" + image, ""}, // an existing plain file is overwritten as asked
        {temp.file("fehlt.iso"), "/dev/sr0", "not a file"},
        {temp.file("ordner"), "/dev/sr0", "not a file"},
        {image, "/dev/sr1", "not an optical drive"},
        {image, "/dev/sda", "not an optical drive"},
        {image, "stdio:/dev/null", "plain file"},
        {image, "stdio:" + temp.file("ordner"), "plain file"},
        {image, "stdio:disc.bin", "absolute"},
        {image, "stdio:" + temp.file("fehlt/disc.bin"), "folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.destination);
        const std::string refusal = CheckBurnTarget({c.source, c.destination, "", "", false}, {"/dev/sr0"});
        if (std::string(c.refusal).empty()) {
            EXPECT_EQ(refusal, "");
        } else {
            EXPECT_THAT(refusal, HasSubstr(c.refusal));
        }
    }
}

} // namespace
} // namespace talvex::burn
