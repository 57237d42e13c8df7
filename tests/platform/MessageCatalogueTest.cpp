// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue reader that serves tr() where libintl is missing; it runs on every system, against
// the catalogue the build compiles with msgfmt as well as made-up ones.
#include "core/services/MessageCatalogue.h"

#include <gtest/gtest.h>

#include "fakes/MoCatalogue.h"
#include "fakes/TempFolder.h"

namespace talvex {
namespace {

const std::string kBuiltCatalogue = TALVEX_BIN_DIR "/locale/en/LC_MESSAGES/default.mo";

// The same catalogue with every 32-bit word of its header and tables in the other byte order.
std::string BigEndian(std::string bytes, std::size_t messages) {
    const std::size_t words = 7 + 4 * messages;
    for (std::size_t i = 0; i < words; ++i) {
        std::swap(bytes[4 * i], bytes[4 * i + 3]);
        std::swap(bytes[4 * i + 1], bytes[4 * i + 2]);
    }
    return bytes;
}

TEST(MessageCatalogue, ReadsTheCatalogueMsgfmtBuilt) {
    const auto catalogue = MessageCatalogue::Load(kBuiltCatalogue);
    ASSERT_TRUE(catalogue.has_value()) << kBuiltCatalogue;
    ASSERT_NE(catalogue->find("Abbrechen"), nullptr);
    EXPECT_EQ(*catalogue->find("Abbrechen"), "Cancel");
    EXPECT_EQ(*catalogue->find("Fehler:"), "Error:");
    EXPECT_EQ(catalogue->find("Kein Text, den es gibt"), nullptr);
    EXPECT_NE(catalogue->header().find("charset=UTF-8"), std::string::npos);
}

TEST(MessageCatalogue, EitherByteOrderAndAnyOrderOfTheOriginalsIsRead) {
    const std::map<std::string, std::string> messages{
        {"", "Content-Type: text/plain; charset=UTF-8\n"}, {"Löschen", "Delete"}, {"Öffnen", "Open"}, {"Zu", "Close"}};
    const std::string little = fakes::MoCatalogue(messages);
    for (const std::string& bytes : {little, BigEndian(little, messages.size())}) {
        const auto catalogue = MessageCatalogue::Parse(bytes);
        ASSERT_TRUE(catalogue.has_value());
        for (const auto& [original, translation] : messages) {
            ASSERT_NE(catalogue->find(original), nullptr) << original;
            EXPECT_EQ(*catalogue->find(original), translation);
        }
    }

    // Two entries of the table swapped: the lookup must not trust the file's order.
    std::string unsorted = little;
    const std::size_t originals = 28;
    std::swap_ranges(unsorted.begin() + originals + 8, unsorted.begin() + originals + 16,
                     unsorted.begin() + originals + 24);
    const std::size_t translations = originals + 8 * messages.size();
    std::swap_ranges(unsorted.begin() + translations + 8, unsorted.begin() + translations + 16,
                     unsorted.begin() + translations + 24);
    const auto catalogue = MessageCatalogue::Parse(unsorted);
    ASSERT_TRUE(catalogue.has_value());
    EXPECT_EQ(*catalogue->find("Zu"), "Close");
    EXPECT_EQ(*catalogue->find("Löschen"), "Delete");
}

TEST(MessageCatalogue, PluralAndContextEntriesAndEmptyTranslations) {
    const auto catalogue =
        MessageCatalogue::Parse(fakes::MoCatalogue({{std::string("Datei\0Dateien", 13), std::string("file\0files", 10)},
                                                    {"Menü\x04Öffnen", "Open"},
                                                    {"Offen", ""}}));
    ASSERT_TRUE(catalogue.has_value());
    ASSERT_NE(catalogue->find("Datei"), nullptr);
    EXPECT_EQ(*catalogue->find("Datei"), "file");
    EXPECT_EQ(catalogue->find("Öffnen"), nullptr) << "a message with a context is another message";
    EXPECT_EQ(catalogue->find("Offen"), nullptr) << "an empty translation means untranslated";
}

TEST(MessageCatalogue, BrokenFilesAreRefusedWithoutReadingBeyondTheEnd) {
    const fakes::TempFolder temp;
    const std::string good = fakes::TempFolder::Read(kBuiltCatalogue);
    ASSERT_GT(good.size(), 100u);
    // Every cut: the header, the tables, or a text's closing zero byte is missing.
    for (std::size_t length = 0; length < good.size(); length += 1 + length / 64) {
        EXPECT_FALSE(MessageCatalogue::Parse(std::string_view(good).substr(0, length)).has_value()) << length;
    }
    std::string hostile = fakes::MoCatalogue({{"a", "b"}});
    hostile[8] = '\xFF'; // a message count far beyond the file
    EXPECT_FALSE(MessageCatalogue::Parse(hostile).has_value());
    hostile = fakes::MoCatalogue({{"a", "b"}});
    hostile[4 * 4 + 3] = '\x7F'; // the translation table beyond the end
    EXPECT_FALSE(MessageCatalogue::Parse(hostile).has_value());
    hostile = fakes::MoCatalogue({{"a", "b"}});
    hostile[6] = '\x02'; // major revision 2
    EXPECT_FALSE(MessageCatalogue::Parse(hostile).has_value());

    const auto repaired = MessageCatalogue::Parse(fakes::MoCatalogue({{"a", "M\xFCll"}}));
    ASSERT_TRUE(repaired.has_value());
    EXPECT_EQ(*repaired->find("a"), "M\xEF\xBF\xBDll") << "not UTF-8: repaired, never passed on";
    EXPECT_FALSE(MessageCatalogue::Load(temp.file("missing.mo")).has_value());
}

} // namespace
} // namespace talvex
