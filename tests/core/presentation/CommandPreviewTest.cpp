// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/CommandPreview.h"

#include <gtest/gtest.h>

#include "core/exec/JobExecutor.h"
#include "fakes/FakeChildProcess.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/FixedClock.h"
#include "fakes/TempFolder.h"

namespace talvex::presentation {
namespace {

using options::Control;

TEST(CommandPreviewTest, SaysWhatIsMissingInsteadOfABrokenLine) {
    fakes::FakeJobEnvironment environment;
    fakes::FakeFormatServices formats;
    options::JobState job(environment);
    struct Case {
        const char* source;
        const char* destination;
        const char* text;
    };
    for (const Case& c :
         {Case{"", "", "Es fehlen Quell- und Zielverzeichnis."}, Case{"  ", "/ziel", "Es fehlt das Quellverzeichnis."},
          Case{"/quelle", "", "Es fehlt das Zielverzeichnis."}}) {
        job.setText(Control::edt_PSD, c.source);
        job.setText(Control::edt_PDD, c.destination);
        const CommandPreview preview = PreviewCommandLine(job, formats);
        EXPECT_FALSE(preview.complete);
        EXPECT_EQ(preview.text, c.text);
    }
}

// The preview is only worth anything when it is exactly what Start runs.
TEST(CommandPreviewTest, IsTheLineStartRuns) {
    fakes::FakeJobEnvironment environment;
    fakes::FakeFormatServices formats;
    options::JobState job(environment);
    job.setText(Control::edt_PSD, "/daten/mit blank");
    job.setText(Control::edt_PDD, "/ziel");
    job.setTicked(Control::chb_KMIR, true);
    const CommandPreview preview = PreviewCommandLine(job, formats);
    ASSERT_TRUE(preview.complete);

    fakes::FakeChildProcess process;
    fakes::FixedClock clock{platform::Clock::TimePoint{}};
    exec::NoMediaSteps media;
    fakes::TempFolder folder;
    exec::JobExecutor executor({process, formats, clock, media, folder.path().string(), {}});
    NullLogSink log;
    exec::RunJobToEnd(executor, job, log, exec::JobMode::CommandLine, platform::ShowMode::Hidden, 0);
    ASSERT_EQ(process.commandLines.size(), 1U);
    EXPECT_EQ(preview.text, process.commandLines[0]);
}

} // namespace
} // namespace talvex::presentation
