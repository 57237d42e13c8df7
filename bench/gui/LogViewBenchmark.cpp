// SPDX-License-Identifier: GPL-3.0-or-later
// A child prints 200,000 robocopy-like lines into a job window (offscreen); prints the time until
// the last line is in the log, the lines per second, the worst delay of a 10 ms timer meanwhile
// (how long the window could not react) and the memory the lines took.
//
// Usage: talvex_log_benchmark [LINES]        (the program starts itself as the child)
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/exec/ChildRun.h"
#include "core/session/SystemJobEnvironment.h"
#include "gui/Application.h"
#include "gui/dialogs/QtUserInterface.h"
#include "gui/jobwindow/LogView.h"
#include "gui/jobwindow/Tfrm_Job.h"
#include "gui/mainwindow/RunPump.h"
#include "platform/ChildProcess.h"
#include "platform/Volumes.h"

namespace {

int PrintLines(long count) {
    std::string block;
    for (long i = 0; i < count; ++i) {
        char line[160];
        const int n = std::snprintf(
            line, sizeof line, "\t    Neue Datei  \t\t  %8ld\tC:\\Daten\\Projekte\\Ordner%03ld\\Datei%06ld.txt\r\n",
            (i * 7919) % 100000000, i % 1000, i);
        block.append(line, static_cast<std::size_t>(n));
        if (block.size() > 64 * 1024) {
            std::fwrite(block.data(), 1, block.size(), stdout);
            block.clear();
        }
    }
    std::fwrite(block.data(), 1, block.size(), stdout);
    return 0;
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--child") {
        return PrintLines(std::atol(argv[2]));
    }
    const long lines = argc > 1 ? std::atol(argv[1]) : 200000;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    talvex::gui::InstallInterfaceFont();

    talvex::session::SystemJobEnvironment environment;
    talvex::gui::QtUserInterface userInterface;
    talvex::platform::SystemVolumeProbes volumes;
    talvex::gui::Tfrm_Job job({environment, userInterface, volumes}, nullptr);
    job.resize(462, 618);
    job.show();
    auto* log = job.findChild<talvex::gui::LogView*>(QStringLiteral("red_Log"));
    QApplication::processEvents();
    const long memoryBefore = ResidentKilobytes();

    auto process = talvex::platform::CreateChildProcess();
    talvex::exec::ChildRun run(*process, job.log());
    talvex::gui::RunPump pump([&run] { return run.poll(0) == talvex::exec::ChildRun::State::Running; }, &app);

    QElapsedTimer sinceTick;
    qint64 worstDelay = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, &app,
                     [&] { worstDelay = std::max(worstDelay, sinceTick.restart() - 10); });

    QElapsedTimer clock;
    QObject::connect(&pump, &talvex::gui::RunPump::runFinished, &app, [&] {
        log->showPendingLines();
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        std::printf("lines shown:         %d of %ld\n", log->lineCount(), lines);
        std::printf("time to last line:   %.3f s\n", seconds);
        std::printf("lines per second:    %.0f (aim: at least 100000)\n", static_cast<double>(lines) / seconds);
        std::printf("worst timer delay:   %lld ms (aim: at most 100)\n", static_cast<long long>(worstDelay));
        std::printf("log memory:          %.1f MB (aim: under 100)\n",
                    static_cast<double>(ResidentKilobytes() - memoryBefore) / 1024.0);
        QApplication::quit();
    });

    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    clock.start();
    sinceTick.start();
    ticker.start();
    if (!run.start("\"" + self + "\" --child " + std::to_string(lines), talvex::exec::OutputEncoding::CodePage)) {
        std::fprintf(stderr, "cannot start the child\n");
        return 1;
    }
    pump.start();
    return QApplication::exec();
}
