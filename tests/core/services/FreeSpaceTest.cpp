// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/FreeSpace.h"

#include <gtest/gtest.h>

#include "core/services/NumberText.h"
#include "fakes/FakeVolumeProbes.h"
#include "fakes/RecordingLogSink.h"
#include "fakes/ScriptedUserInterface.h"

namespace talvex {
namespace {

constexpr std::uint64_t MiB = 1024 * 1024;

struct Fixture {
    fakes::FakeVolumeProbes volume;
    fakes::RecordingLogSink log;
    fakes::ScriptedUserInterface ui;

    explicit Fixture(std::uint64_t freeBytes, std::uint64_t totalBytes = 100000 * MiB) {
        volume.spaceResult.space = platform::VolumeSpace{totalBytes, freeBytes};
    }
    bool check(std::uint64_t requiredKiB) {
        return CheckFreeSpace("E:", requiredKiB, log, ui, volume, ".", PathStyle::Windows);
    }
};

const std::string kSpaceLine = "Platz:    E:\\ 12.345 MB von 100.000 MB frei.";
const std::string kWarning = "Warnung: Der zur Verfügung stehende Speicherplatz reicht nicht aus.";

TEST(CheckFreeSpace, LogsTheSpaceAndAsksOnlyWhenStrictlyShort) {
    struct Case {
        const char* what;
        std::uint64_t requiredKiB;
        bool asks;
    };
    const Case cases[] = {
        {"nothing required", 0, false},
        {"exactly the free room", 12345 * 1024, false},
        {"one KiB more", 12345 * 1024 + 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f(12345 * MiB + 1023); // the odd bytes are below one KiB and do not count
        f.ui.answers = {Answer::No};
        EXPECT_FALSE(f.check(c.requiredKiB));
        std::vector<fakes::RecordingLogSink::Line> expected = {{kSpaceLine, LogColour::Black}};
        if (c.asks) {
            expected.push_back({kWarning, LogColour::Black});
        }
        EXPECT_EQ(f.log.lines(), expected);
        EXPECT_EQ(f.ui.messages.size(), c.asks ? 1u : 0u);
    }
}

TEST(CheckFreeSpace, AbortingLogsTheCancellation) {
    Fixture f(1 * MiB);
    f.ui.answers = {Answer::Yes};
    EXPECT_TRUE(f.check(2 * 1024));
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(f.ui.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(f.ui.messages[0].text,
              "Der zur Verfügung stehende Speicherplatz reicht für diesen Vorgang nicht aus. Vorgang abbrechen?");
    EXPECT_EQ(f.log.texts(), (std::vector<std::string>{"Platz:    E:\\ 1 MB von 100.000 MB frei.", kWarning,
                                                       std::string(29, '-'), "Abbruch:  Abbruch durch den Anwender."}));
}

TEST(CheckFreeSpace, AFailedQueryStopsTheStepWithTheReason) {
    Fixture f(0);
    f.volume.spaceResult = {std::nullopt, "No such device"};
    EXPECT_TRUE(f.check(1));
    ASSERT_EQ(f.log.lines().size(), 1u);
    EXPECT_EQ(f.log.lines()[0].colour, LogColour::Red);
    EXPECT_NE(f.log.lines()[0].text.find("No such device"), std::string::npos);
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(FormatWholeNumber, GroupsDigitsAndRounds) {
    EXPECT_EQ(FormatWholeNumber(12345.4, "."), "12.345");
    EXPECT_EQ(FormatWholeNumber(99999.5, "."), "100.000");
    EXPECT_EQ(FormatWholeNumber(1234567.0, ","), "1,234,567");
    EXPECT_EQ(FormatWholeNumber(1234567.0, "\xE2\x80\xAF"), "1\xE2\x80\xAF"
                                                            "234\xE2\x80\xAF"
                                                            "567");
    EXPECT_EQ(FormatWholeNumber(-1234.0, "."), "-1.234");
    EXPECT_EQ(FormatWholeNumber(-0.2, "."), "0");
}

} // namespace
} // namespace talvex
