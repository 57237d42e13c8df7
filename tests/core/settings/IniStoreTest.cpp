// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/IniStore.h"

#include <gtest/gtest.h>

#include "fakes/TempFolder.h"
#include "platform/Unicode.h"

namespace talvex::settings {
namespace {

using fakes::TempFolder;

std::string Utf16File(std::string_view utf8) {
    return "\xFF\xFE" + platform::Utf8ToUtf16Le(utf8);
}

TEST(IniStoreFormat, WritesUtf16WithMarkAndCrLfAndRoundTripsByteForByte) {
    IniStore store;
    store.writeString("Settings", "Language", "Deutsch");
    store.writeBool("Settings", "Tooltipps", true);
    store.writeInteger("Execute", "Window", 3);
    store.writeString("SDHistorie", "0", "C:\\Müll\\Ordner");

    const std::string bytes = store.serialize(IniEncoding::Utf16LeWithMark);
    EXPECT_EQ(bytes, Utf16File("[Settings]\r\nLanguage=Deutsch\r\nTooltipps=1\r\n\r\n"
                               "[Execute]\r\nWindow=3\r\n\r\n"
                               "[SDHistorie]\r\n0=C:\\Müll\\Ordner\r\n\r\n"));
    EXPECT_EQ(IniStore::Parse(bytes).serialize(IniEncoding::Utf16LeWithMark), bytes);
}

// A file edited by hand: odd letter case, blank lines, blanks around "=", a comment, and no line
// end after the last line. Every accepted encoding of it must read the same.
TEST(IniStoreFormat, HandEditedFileReadsInEveryAcceptedEncoding) {
    const std::string text = "\n; von Hand\n[SETTINGS]\n\n  Tooltipps = 1 \n[execute]\r\nWindow=2\r\n\r\n"
                             "[sdhistorie]\r0=/srv/Grüße\r1 =  \"  blanks  \"";
    const struct {
        const char* name;
        std::string bytes;
    } variants[] = {
        {"utf-16le with mark", Utf16File(text)},
        {"utf-8 with mark", "\xEF\xBB\xBF" + text},
        {"utf-8", text},
    };
    for (const auto& variant : variants) {
        SCOPED_TRACE(variant.name);
        const IniStore store = IniStore::Parse(variant.bytes);
        EXPECT_TRUE(store.readBool("Settings", "Tooltipps", false));
        EXPECT_EQ(store.readInteger("Execute", "Window", 0), 2);
        EXPECT_EQ(store.readString("SDHistorie", "0", "na"), "/srv/Grüße");
        EXPECT_EQ(store.readString("SDHistorie", "1", "na"), "  blanks  ");
        EXPECT_EQ(store.sections(), (std::vector<std::string>{"SETTINGS", "execute", "sdhistorie"}));
    }
}

TEST(IniStoreFormat, BytesThatAreNoUtf8AreReadAsTheSystemCodePage) {
    const IniStore store = IniStore::Parse("[Image]\nPfad=M\xFCll\n");
    // POSIX: the code page is UTF-8, so the stray byte becomes a replacement character, not a crash
    // and not a lost line.
    EXPECT_EQ(store.readString("Image", "Pfad", "na"), "M\xEF\xBF\xBDll");
}

// Found by fuzzing: a byte-order mark character at the start of the text itself was taken for the
// file's mark and lost on the next read.
TEST(IniStoreFormat, ALeadingMarkCharacterInTheTextSurvivesEveryEncoding) {
    const std::string text = "\xEF\xBB\xBFvorab\n[A]\nk=v\n";
    for (const std::string& bytes : {Utf16File(text), "\xEF\xBB\xBF" + text}) {
        const IniStore store = IniStore::Parse(bytes);
        for (const IniEncoding encoding : {IniEncoding::Utf16LeWithMark, IniEncoding::SystemCodePage}) {
            const std::string once = store.serialize(encoding);
            EXPECT_EQ(IniStore::Parse(once).serialize(encoding), once);
        }
    }
}

TEST(IniStoreFormat, CommentsAndStrayLinesSurviveARewrite) {
    IniStore store = IniStore::Parse("vorab\n[A]\n; Notiz\nohne Gleichheitszeichen\nk=v\n");
    store.writeString("a", "K", "w");
    EXPECT_EQ(store.serialize(IniEncoding::SystemCodePage),
              "vorab\r\n\r\n[A]\r\n; Notiz\r\nohne Gleichheitszeichen\r\nk=w\r\n\r\n");
}

TEST(IniStoreValues, ValuesReadBackExactlyAsWritten) {
    const std::string values[] = {"", " lead", "trail ", "\"quoted\"", "\"", "a=b=c", "[Execute]", "tab\t"};
    IniStore store;
    for (std::size_t i = 0; i < std::size(values); ++i) {
        store.writeString("V", std::to_string(i), values[i]);
    }
    const IniStore reread = IniStore::Parse(store.serialize(IniEncoding::Utf16LeWithMark));
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(reread.readString("V", std::to_string(i), "na"), values[i]) << i;
    }
}

TEST(IniStoreValues, LineBreaksInAValueCannotForgeASection) {
    IniStore store;
    store.writeString("SDHistorie", "0", "/tmp/x\r\n[Execute]\nWindow=3");
    const IniStore reread = IniStore::Parse(store.serialize(IniEncoding::Utf16LeWithMark));
    EXPECT_FALSE(reread.sectionExists("Execute"));
    EXPECT_EQ(reread.keys("SDHistorie"), std::vector<std::string>{"0"});
}

TEST(IniStoreValues, IntegersAndBooleans) {
    const struct {
        const char* stored;
        long long integer; // read with default 42
        bool boolean;      // read with default true
    } cases[] = {
        {"0", 0, false},   {"1", 1, true}, {"-1", -1, true}, {" 7 ", 7, true},  {"+3", 3, true},
        {"abc", 42, true}, {"", 42, true}, {"1x", 42, true}, {"+-1", 42, true}, {"99999999999999999999", 42, true},
    };
    for (const auto& c : cases) {
        IniStore store;
        store.writeString("S", "k", c.stored);
        EXPECT_EQ(store.readInteger("S", "k", 42), c.integer) << c.stored;
        EXPECT_EQ(store.readBool("S", "k", true), c.boolean) << c.stored;
    }
    IniStore store;
    store.writeBool("S", "on", true);
    store.writeBool("S", "off", false);
    EXPECT_EQ(store.readString("S", "on", ""), "1");
    EXPECT_EQ(store.readString("S", "off", ""), "0");
    EXPECT_FALSE(store.readBool("Missing", "k", false));
}

TEST(IniStoreSections, NamesIgnoreCaseAndKeepTheirFirstSpellingAndOrder) {
    IniStore store;
    store.writeString("ImgHistorie", "0", "a");
    store.writeString("Settings", "New", "1");
    store.writeString("IMGHISTORIE", "1", "b");
    store.writeString("settings", "NEW", "0");

    EXPECT_EQ(store.sections(), (std::vector<std::string>{"ImgHistorie", "Settings"}));
    EXPECT_EQ(store.keys("imghistorie"), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(store.keys("Settings"), std::vector<std::string>{"New"});
    EXPECT_EQ(store.readString("Settings", "new", ""), "0");

    store.eraseSection("imgHISTORIE");
    EXPECT_FALSE(store.sectionExists("ImgHistorie"));
    EXPECT_EQ(store.readString("Settings", "New", ""), "0"); // the section after it is still found
    store.ensureSection("/IF");
    EXPECT_TRUE(store.sectionExists("/if"));
    EXPECT_EQ(store.serialize(IniEncoding::SystemCodePage), "[Settings]\r\nNew=0\r\n\r\n[/IF]\r\n\r\n");
}

TEST(IniStoreSections, RepeatedSectionsMergeAndTheFirstKeyWins) {
    const IniStore store = IniStore::Parse("[A]\nk=1\n[B]\nx=2\n[a]\nk=3\nj=4\n");
    EXPECT_EQ(store.sections(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(store.readString("A", "k", ""), "1");
    EXPECT_EQ(store.readString("A", "j", ""), "4");
}

TEST(IniStoreFile, AMissingFileIsAnEmptyStoreWithoutError) {
    TempFolder folder;
    auto missing = IniStore::Open(folder.file("Talvex.ini"), IniEncoding::Utf16LeWithMark);
    EXPECT_FALSE(missing.error.has_value());
    EXPECT_TRUE(missing.store.sections().empty());
}

} // namespace
} // namespace talvex::settings
