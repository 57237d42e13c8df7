// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/media/ISOImage.h"

#include <filesystem>
#include <functional>

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
constexpr auto kNavy = LogColour::Navy;
constexpr auto kRed = LogColour::Red;
constexpr std::uint64_t MiB = 1024 * 1024;

TEST(MkisofsCommandLine, TwoBlanksAfterTheProgramAndEveryPathQuoted) {
    struct Case {
        const char* mkisofs;
        const char* expected;
    };
    const Case cases[] = {
        {"/usr/bin/mkisofs",
         "/usr/bin/mkisofs  -iso-level 3 -J -R -V \"06.12.2026\" -o \"/tmp/a b.iso\" \"/ziel/Müll\""},
        // Split at its blank, the program would be "/opt/my"; quoted, it stays one word.
        {"/opt/my tools/mkisofs",
         "\"/opt/my tools/mkisofs\"  -iso-level 3 -J -R -V \"06.12.2026\" -o \"/tmp/a b.iso\" \"/ziel/Müll\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MkisofsCommandLine({c.mkisofs, "/ziel/Müll", "/tmp/a b.iso", "06.12.2026"}), c.expected);
    }
}

TEST(ImageSizes, FolderSkipsHiddenFoldersAndSplitImagesAddTheirParts) {
    fakes::TempFolder temp;
    const auto root = temp.path() / "root";
    std::filesystem::create_directories(root / "sub" / "tief");
    std::filesystem::create_directories(root / ".versteckt");
    fakes::TempFolder::Write((root / "a").string(), std::string(1000, 'a'));
    fakes::TempFolder::Write((root / ".datei").string(), std::string(1000, 'b'));
    fakes::TempFolder::Write((root / "sub" / "tief" / "c").string(), std::string(2000, 'c'));
    fakes::TempFolder::Write((root / ".versteckt" / "d").string(), std::string(50000, 'd'));
    std::filesystem::create_symlink(root / "sub", root / "schleife");
    EXPECT_EQ(FolderSizeKiB(root.string()), 3u) << "4000 bytes; the hidden folder and the link do not count";

    const std::string image = temp.file("bild.iso");
    fakes::TempFolder::Write(image + "_00", std::string(3 * 1024, 'x'));
    fakes::TempFolder::Write(image + "_01", std::string(2 * 1024 + 10, 'y'));
    EXPECT_EQ(ImageSizeKiB(image), 5u);
    fakes::TempFolder::Write(image, std::string(7 * 1024, 'z'));
    EXPECT_EQ(ImageSizeKiB(image), 7u) << "a whole image wins over left-over parts";
}

class ISOImageTest : public ::testing::Test {
protected:
    ISOImageTest() {
        std::filesystem::create_directories(m_root);
        fakes::TempFolder::Write(m_root + "/datei", std::string(3 * 1024, 'x'));
        m_volumes.spaceResult.space = platform::VolumeSpace{100000 * MiB, 12345 * MiB};
    }

    exec::ImageRequest request() const { return {"/usr/bin/mkisofs", m_root, m_image, "06.12.2026"}; }

    bool runToEnd(const exec::ImageRequest& request) {
        TISOImage image(request, m_services, m_log);
        if (!image.begin()) {
            return false;
        }
        while (image.poll(0)) {
        }
        return image.succeeded();
    }

    fakes::TempFolder m_temp;
    const std::string m_root = m_temp.file("ziel");
    const std::string m_image = m_temp.file("bild.iso");
    fakes::FakeChildProcess m_process;
    fakes::ScriptedUserInterface m_ui;
    fakes::FakeVolumeProbes m_volumes;
    std::vector<std::chrono::milliseconds> m_waits;
    MediaServices m_services{m_process,
                             m_ui,
                             m_volumes,
                             ".",
                             [this](std::chrono::milliseconds pause) { m_waits.push_back(pause); },
                             {},
                             PathStyle::Posix};
    fakes::RecordingLogSink m_log;
};

TEST_F(ISOImageTest, LogsEveryStepAndRunsVersionThenImageInUtf8) {
    m_process.chunks = {"mkisofs 1.1.11\n"};
    // The fake "writes" the image when the second child is started.
    fakes::TempFolder::Write(m_image, "old image");
    ASSERT_TRUE(runToEnd(request()));

    const std::string command =
        "/usr/bin/mkisofs  -iso-level 3 -J -R -V \"06.12.2026\" -o \"" + m_image + "\" \"" + m_root + "\"";
    EXPECT_EQ(m_process.commandLines, (std::vector<std::string>{"/usr/bin/mkisofs -version", command}));
    for (const auto& options : m_process.startOptions) {
        EXPECT_EQ(options.environment, std::vector<std::string>{"LC_ALL=C.UTF-8"});
    }
    EXPECT_FALSE(std::filesystem::exists(m_image)) << "the old image is removed before mkisofs runs";
    EXPECT_EQ(m_volumes.spaceQueries, std::vector<std::string>{m_root});
    const std::vector<Line> expected = {
        {"", kBlack},
        {"Image:", kNavy},
        {"-------", kNavy},
        {"", kBlack},
        {"Wurzel:   " + m_root, kBlack},
        {"          ... gefunden.", kBlack},
        {"Image:    " + m_image, kBlack},
        {"Größe:    ~ 0 MB", kBlack},
        {"Platz:    " + m_root + "/ 12.345 MB von 100.000 MB frei.", kBlack},
        {"", kBlack},
        {"MKISOFS-Version:", kNavy},
        {"mkisofs 1.1.11", kBlack},
        {"", kBlack},
        {"Befehl:", kNavy},
        {command, kBlack},
        {"", kBlack},
        {"Ausführen:", kNavy},
        {"", kBlack},
        {"Ausführung beendet.", kNavy},
        {"", kBlack},
        {"Größe:    0 MB", kBlack},
        {"", kBlack},
        {"Imageerstellung beendet.", kNavy},
        {"", kBlack},
    };
    EXPECT_EQ(m_log.lines(), expected);
}

TEST_F(ISOImageTest, FailuresEndTheStepBeforeOrAfterMkisofs) {
    struct Case {
        const char* what;
        std::function<void(exec::ImageRequest&)> arrange;
        std::size_t children;
        Line last;
    };
    const Case cases[] = {
        {"missing folder", [](auto& r) { r.folder += "/fehlt"; }, 0, {"Fehler:   ... nicht gefunden.", kRed}},
        {"no image file",
         [](auto& r) { r.imageFile.clear(); },
         0,
         {"Fehler:   Es wurde nicht angegeben, in welche Datei das Image gespeichert werden soll.", kNavy}},
        // A folder of the image's name cannot be deleted: the step ends quietly after ten tries.
        {"undeletable image",
         [this](auto& r) {
             std::filesystem::create_directories(r.imageFile);
             m_waits.clear();
         },
         0,
         {"Image:    ", kBlack}},
        {"user aborts for lack of room",
         [this](auto&) {
             m_volumes.spaceResult.space = platform::VolumeSpace{10 * MiB, 0};
             m_ui.answers = {Answer::Yes};
         },
         0,
         {"Abbruch:  Abbruch durch den Anwender.", kBlack}},
        {"mkisofs fails", [this](auto&) { m_process.code = 1; }, 2, {"", kBlack}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_log.clear();
        m_process.commandLines.clear();
        m_process.code = 0;
        m_volumes.spaceResult.space = platform::VolumeSpace{100000 * MiB, 12345 * MiB};
        exec::ImageRequest r = request();
        r.imageFile = m_temp.file(std::string("bild-") + std::to_string(&c - cases) + ".iso");
        c.arrange(r);
        EXPECT_FALSE(runToEnd(r));
        EXPECT_EQ(m_process.commandLines.size(), c.children);
        ASSERT_FALSE(m_log.lines().empty());
        if (c.children == 0) {
            const Line& last = m_log.lines().back();
            EXPECT_EQ(last.colour, c.last.colour);
            EXPECT_TRUE(last.text.starts_with(c.last.text)) << last.text;
        } else {
            EXPECT_TRUE(m_log.contains("Ausführung abgebrochen.", kRed));
            EXPECT_FALSE(m_log.contains("Ausführung beendet.", kNavy));
        }
    }
    EXPECT_EQ(m_waits.size(), 9u) << "ten attempts at deleting the image, 200 ms apart";
}

TEST_F(ISOImageTest, StopEndsMkisofsAndTheStepFails) {
    m_process.endsByItself = false;
    m_process.chunks = {"mkisofs 1.1.11\n"};
    TISOImage image(request(), m_services, m_log);
    ASSERT_TRUE(image.begin());
    ASSERT_TRUE(image.terminate()) << "the version run is stopped";
    while (image.poll(0)) {
    }
    EXPECT_FALSE(image.succeeded());
    EXPECT_EQ(m_process.commandLines.size(), 1u) << "no image is started after a stop";
    EXPECT_TRUE(m_log.contains("Ausführung abgebrochen.", kRed));
}

} // namespace
} // namespace talvex::media
