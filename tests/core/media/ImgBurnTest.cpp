// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/media/ImgBurn.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "fakes/FakeChildProcess.h"
#include "fakes/FakeVolumeProbes.h"
#include "fakes/RecordingLogSink.h"
#include "fakes/ScriptedUserInterface.h"
#include "fakes/TempFolder.h"

namespace talvex::media {
namespace {

using Line = fakes::RecordingLogSink::Line;
constexpr auto kBlack = LogColour::Black;
constexpr auto kPurple = LogColour::Purple;
constexpr auto kRed = LogColour::Red;

TEST(BurnCommandLine, PassesTheDriveOfTheBurnerLineAndTheSwitchesInOrder) {
    struct Case {
        const char* what;
        const char* burner;
        const char* speed;
        bool erase;
        bool log;
        PathStyle style;
        const char* expected;
    };
    const Case cases[] = {
        {"windows letter", "E: (1:0:0) HL-DT-ST DVDRAM GH24NSD1", "8", true, true, PathStyle::Windows,
         R"(C:\Tools\ImgBurn.exe /START /CLOSE /SRC "C:\img\a b.iso" /DEST "E:" /SPEED "8" /ERASE /LOG "C:\img\a b.txt")"},
        {"device path", "/dev/sr0 (1:0:0) HL-DT-ST DVDRAM GH24NSD1", "Max", true, true, PathStyle::Posix,
         R"(/opt/talvex-burn /START /CLOSE /SRC "/img/a b.iso" /DEST "/dev/sr0" /SPEED "Max" /ERASE /LOG "/img/a b.txt")"},
        {"pseudo drive, no options", "stdio:/tmp/disc.bin", "4", false, false, PathStyle::Posix,
         R"(/opt/talvex-burn /START /CLOSE /SRC "/img/a b.iso" /DEST "stdio:/tmp/disc.bin" /SPEED "4")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool windows = c.style == PathStyle::Windows;
        const exec::BurnRequest request{windows ? R"(C:\img\a b.iso)" : "/img/a b.iso", c.burner, c.speed, c.erase,
                                        c.log};
        EXPECT_EQ(BurnCommandLine(windows ? R"(C:\Tools\ImgBurn.exe)" : "/opt/talvex-burn", request.imageFile, request,
                                  c.style),
                  c.expected);
    }
}

class ImgBurnTest : public ::testing::Test {
protected:
    bool burn(const std::string& image) {
        TImgBurn step({image, "/dev/sr0 (1:0:0) ASUS DRW", "8"}, m_services, m_log);
        if (!step.begin()) {
            return false;
        }
        while (step.poll(0)) {
        }
        return step.succeeded();
    }

    fakes::TempFolder m_temp;
    fakes::FakeChildProcess m_process;
    fakes::ScriptedUserInterface m_ui;
    fakes::FakeVolumeProbes m_volumes;
    MediaServices m_services{m_process, m_ui, m_volumes, ".", {}, "/opt/talvex-burn", PathStyle::Posix};
    fakes::RecordingLogSink m_log;
};

TEST_F(ImgBurnTest, BurnsTheFirstPartOfASplitImageAndLogsEachValue) {
    const std::string image = m_temp.file("bild.iso");
    fakes::TempFolder::Write(image + "_00", "part");
    m_process.chunks = {"xorriso: ok\n"};
    ASSERT_TRUE(burn(image));
    ASSERT_EQ(m_process.commandLines.size(), 1u);
    EXPECT_NE(m_process.commandLines[0].find("/SRC \"" + image + "_00\""), std::string::npos);
    const std::vector<Line> expected = {
        {"", kBlack},
        {"CD/DVD brennen", kPurple},
        {"---------------", kPurple},
        {"Image:    " + image + "_00", kBlack},
        {"Laufwerk: /dev/sr0 (1:0:0) ASUS DRW", kBlack},
        {"Geschw.:  8", kBlack},
        {"Option:   CD/DVD-RW ohne Nachfrage löschen.", kBlack},
        {"Option:   Log speichern.", kBlack},
        {"xorriso: ok", kBlack},
        {"          ... OK", kBlack},
        {"", kBlack},
        {"CD/DVD brennen beendet.", kPurple},
        {"", kBlack},
    };
    EXPECT_EQ(m_log.lines(), expected);
}

TEST_F(ImgBurnTest, AMissingImageAFailingToolOrAStopFails) {
    EXPECT_FALSE(burn(m_temp.file("fehlt.iso")));
    EXPECT_TRUE(m_process.commandLines.empty());
    EXPECT_EQ(m_log.lines().back(), (Line{"Fehler:   Das Image wurde nicht gefunden.", kBlack}));

    m_log.clear();
    fakes::TempFolder::Write(m_temp.file("bild.iso"), "image");
    m_process.code = 3;
    EXPECT_FALSE(burn(m_temp.file("bild.iso")));
    EXPECT_TRUE(m_log.contains("          ... Fehler:", kRed));
    EXPECT_EQ(m_log.lines().back().text, "");

    // Stopped halfway, a burn never counts as done, whatever the tool's exit code.
    m_log.clear();
    m_process.code = 0;
    m_process.endsByItself = false;
    TImgBurn step({m_temp.file("bild.iso"), "/dev/sr0", "8"}, m_services, m_log);
    ASSERT_TRUE(step.begin());
    EXPECT_TRUE(step.terminate());
    while (step.poll(0)) {
    }
    EXPECT_FALSE(step.succeeded());
    EXPECT_TRUE(m_log.contains("          ... Fehler:", kRed));
}

} // namespace
} // namespace talvex::media
