// SPDX-License-Identifier: GPL-3.0-or-later
// Images and burns made by the real genisoimage, talvex-burn and xorriso.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/exec/JobExecutor.h"
#include "core/media/ChildMediaSteps.h"
#include "core/media/ISOImage.h"
#include "core/media/ImgBurn.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/FakeVolumeProbes.h"
#include "fakes/FixedClock.h"
#include "fakes/RecordingLogSink.h"
#include "fakes/ScriptedUserInterface.h"
#include "fakes/TempFolder.h"
#include "platform/ProgramSearch.h"

namespace talvex::media {
namespace {

namespace fs = std::filesystem;
using options::Control;
using ::testing::HasSubstr;

constexpr auto kPatience = std::chrono::seconds(60);

std::optional<std::string> Tool(const char* name) {
    const char* path = std::getenv("PATH");
    return platform::FindProgram(name, platform::ProgramSearchFolders("/nonexistent", path ? path : ""));
}

// The output of a shell command; only for inspecting results, never for the code under test.
std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) {
            out.append(buffer, got);
        }
        ::pclose(pipe);
    }
    return out;
}

std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        tree[name] = entry.is_directory() ? "<folder>" : fakes::TempFolder::Read(entry.path().string());
    }
    return tree;
}

class MediaEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_mkisofs = Tool("mkisofs").value_or("");
        if (m_mkisofs.empty() || !Tool("xorriso") || !Tool("isoinfo")) {
            GTEST_SKIP() << "genisoimage (mkisofs, isoinfo) and xorriso are needed: scripts/install-deps.sh";
        }
        m_volumes.spaceResult.space = platform::VolumeSpace{1ULL << 40, 1ULL << 39};
    }

    void write(const std::string& relative, const std::string& contents) {
        const fs::path file = m_temp.path() / relative;
        fs::create_directories(file.parent_path());
        fakes::TempFolder::Write(file.string(), contents);
    }

    template <typename Step>
    bool drive(Step& step, const std::function<void()>& eachPoll = {}) {
        const auto until = std::chrono::steady_clock::now() + kPatience;
        while (step.poll(20)) {
            if (eachPoll) {
                eachPoll();
            }
            if (std::chrono::steady_clock::now() > until) {
                ADD_FAILURE() << "the step did not end";
                step.terminate();
            }
        }
        return step.succeeded();
    }

    fakes::TempFolder m_temp;
    std::string m_mkisofs;
    std::unique_ptr<platform::ChildProcess> m_process =
        platform::CreateChildProcess({TALVEX_BIN_DIR, std::chrono::milliseconds(300)});
    fakes::ScriptedUserInterface m_ui;
    fakes::FakeVolumeProbes m_volumes;
    MediaServices m_services{*m_process, m_ui, m_volumes, ".", {}, std::string(TALVEX_BIN_DIR) + "/talvex-burn"};
    fakes::RecordingLogSink m_log;
};

TEST_F(MediaEndToEndTest, ImageOfUmlautsBlanksAndDeepFoldersExtractsToTheSameTree) {
    write("ziel/Müll Ordner/Datei ä.txt", "Grüße\n");
    write("ziel/a b/c d/e f/g h/i j/tief.txt", std::string(70000, 'x'));
    write("ziel/leer.txt", "");
    fs::create_directories(m_temp.path() / "ziel" / "leerer Ordner");
    // The step itself must make genisoimage read UTF-8, whatever the caller's locale says.
    const char* saved = std::getenv("LC_ALL");
    const std::string savedValue = saved ? saved : "";
    ::setenv("LC_ALL", "C", 1);
    const std::string image = m_temp.file("bild.iso");
    TISOImage step({m_mkisofs, m_temp.file("ziel"), image, "06.12.2026"}, m_services, m_log);
    const bool built = step.begin() && drive(step);
    saved ? ::setenv("LC_ALL", savedValue.c_str(), 1) : ::unsetenv("LC_ALL");
    ASSERT_TRUE(built) << ::testing::PrintToString(m_log.texts());

    EXPECT_THAT(Output("isoinfo -d -i '" + image + "'"), HasSubstr("Volume id: 06.12.2026"));
    const std::string bytes = fakes::TempFolder::Read(image);
    const std::string joliet("\0M\0\xFC\0l\0l", 8);
    const std::string garbled("\0M\0\xC3\0\xBC", 6);
    EXPECT_NE(bytes.find(joliet), std::string::npos) << "Joliet names are UTF-16 of the real name";
    EXPECT_EQ(bytes.find(garbled), std::string::npos) << "UTF-8 bytes were taken for Latin-1";

    const std::string out = m_temp.file("aus");
    Output("xorriso -osirrox on -indev '" + image + "' -extract / '" + out + "' 2>&1");
    EXPECT_EQ(Tree(out), Tree(m_temp.path() / "ziel"));
    EXPECT_TRUE(m_log.contains("Ausführung beendet.", LogColour::Navy));
}

TEST_F(MediaEndToEndTest, StopEndsALongMkisofsRun) {
    write("ziel/klein.txt", "x");
    // A sparse file is quick to make and slow to image.
    fs::resize_file(m_temp.file("ziel/klein.txt"), 3ULL << 30);
    TISOImage step({m_mkisofs, m_temp.file("ziel"), m_temp.file("bild.iso"), "06.12.2026"}, m_services, m_log);
    ASSERT_TRUE(step.begin());
    const auto started = std::chrono::steady_clock::now();
    bool stopped = false;
    const bool succeeded = drive(step, [&] {
        if (!stopped && m_log.contains("Ausführen:", LogColour::Navy) &&
            std::chrono::steady_clock::now() - started > std::chrono::milliseconds(300)) {
            stopped = step.terminate();
        }
    });
    EXPECT_TRUE(stopped) << ::testing::PrintToString(m_log.texts());
    EXPECT_FALSE(succeeded);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    EXPECT_TRUE(m_log.contains("Ausführung abgebrochen.", LogColour::Red));
    EXPECT_FALSE(m_process->running());
}

TEST_F(MediaEndToEndTest, JobCopiesImagesAndBurnsToAPseudoDrive) {
    write("quelle/Müll.txt", "Inhalt\n");
    write("quelle/unter/b c.txt", std::string(5000, 'b'));
    fakes::FakeJobEnvironment environment;
    environment.existingFiles.insert(m_mkisofs);
    environment.burningTool = true;
    options::JobState job(environment);
    job.setText(Control::edt_PSD, m_temp.file("quelle"));
    job.setText(Control::edt_PDD, m_temp.file("ziel"));
    job.TickAndEnable(Control::chb_KE);
    job.setText(Control::edt_Imkisofs, m_mkisofs);
    const std::string image = m_temp.file("bild.iso");
    const std::string disc = m_temp.file("disc.bin");
    job.setText(Control::edt_IImage, image);
    job.setTicked(Control::chb_IIMG, true);
    job.setTicked(Control::chb_IBurn, true);
    job.setText(Control::edt_ISpeed, "Max");
    job.setText(Control::edt_IBrenner, "stdio:" + disc);

    fakes::FakeFormatServices formats;
    fakes::FixedClock clock{std::chrono::system_clock::now()};
    ChildMediaSteps media(m_services);
    exec::JobExecutor executor({*m_process, formats, clock, media, m_temp.path().string(), {}});
    executor.ExecuteJob(job, m_log, exec::JobMode::CommandLine, platform::ShowMode::Hidden);
    const auto until = std::chrono::steady_clock::now() + kPatience;
    while (executor.poll(20)) {
        ASSERT_LT(std::chrono::steady_clock::now(), until) << "the job did not end";
    }

    const auto texts = m_log.texts();
    const auto at = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) - texts.begin();
    };
    EXPECT_LT(at("Ausführung beendet."), at("Imageerstellung beendet."));
    EXPECT_LT(at("Imageerstellung beendet."), at("CD/DVD brennen"));
    EXPECT_TRUE(m_log.contains("          ... OK", LogColour::Black)) << ::testing::PrintToString(texts);
    const std::string imageBytes = fakes::TempFolder::Read(image);
    const std::string discBytes = fakes::TempFolder::Read(disc);
    ASSERT_FALSE(imageBytes.empty());
    ASSERT_GE(discBytes.size(), imageBytes.size());
    EXPECT_TRUE(discBytes.compare(0, imageBytes.size(), imageBytes) == 0) << "the disc begins with the image";
    EXPECT_EQ(discBytes.find_first_not_of('\0', imageBytes.size()), std::string::npos) << "then only padding";
    EXPECT_THAT(fakes::TempFolder::Read(m_temp.file("bild.txt")), HasSubstr("xorriso"));
}

TEST_F(MediaEndToEndTest, TheAdapterRefusesBadInputAndWritesNothing) {
    const std::string image = m_temp.file("bild.iso");
    const std::string disc = m_temp.file("disc.bin");
    fakes::TempFolder::Write(image, std::string(4096, 'i'));
    const std::string adapter = std::string(TALVEX_BIN_DIR) + "/talvex-burn";
    struct Case {
        std::string arguments;
        const char* message;
    };
    const Case cases[] = {
        {"/SRC " + image + " /DEST /dev/sda", "not an optical drive"},
        {"/SRC " + image + " /DEST stdio:/dev/null", "plain file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const std::string out = Output(adapter + " " + c.arguments + " 2>&1; echo exit=$?");
        EXPECT_THAT(out, HasSubstr(c.message));
        EXPECT_THAT(out, HasSubstr("exit=2"));
        EXPECT_FALSE(fs::exists(disc));
    }
}

} // namespace
} // namespace talvex::media
