// SPDX-License-Identifier: GPL-3.0-or-later
// Lines per second of a child writing short lines: on its own into /dev/null, and through the
// runner and the line splitter into a sink that keeps every line, as the log view would.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/exec/ChildRun.h"
#include "platform/ProgramSearch.h"

extern char** environ;

namespace {

constexpr long kLines = 1'000'000;
constexpr int kRounds = 5;
const char* const kWriter = "talvex_bench_line_writer";

// Records every line with its colour, packed into one text so that what is measured is the
// runner and not the memory allocator (a log view keeps its text in one document, too).
class RecordingSink final : public talvex::LogSink {
public:
    void appendLine(std::string_view text, talvex::LogColour colour) override {
        m_text.append(text);
        m_ends.push_back(m_text.size());
        m_colours.push_back(colour);
    }
    void reserve(std::size_t lines, std::size_t bytes) {
        m_ends.reserve(lines);
        m_colours.reserve(lines);
        m_text.reserve(bytes);
    }
    [[nodiscard]] std::size_t size() const { return m_ends.size(); }

private:
    std::string m_text;
    std::vector<std::size_t> m_ends;
    std::vector<talvex::LogColour> m_colours;
};

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double CpuSeconds(int who) {
    rusage usage{};
    ::getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The child alone, writing into /dev/null.
double AloneSeconds(const std::string& program, const char* mode) {
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string count = std::to_string(kLines);
    std::string modeArg = mode;
    std::string name = program;
    char* argv[] = {name.data(), count.data(), modeArg.data(), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ::posix_spawn_file_actions_destroy(&actions);
    return Seconds(elapsed);
}

struct Through {
    double wall;
    double runnerCpu;
};

Through RunnerSeconds(const std::string& folder, const char* mode) {
    auto process = talvex::platform::CreateChildProcess({folder});
    RecordingSink sink;
    sink.reserve(kLines, kLines * 32);
    talvex::exec::ChildRun run(*process, sink);
    const double cpuBefore = CpuSeconds(RUSAGE_SELF);
    const auto start = std::chrono::steady_clock::now();
    const bool ok = talvex::exec::RunToEnd(run, std::string(kWriter) + " " + std::to_string(kLines) + " " + mode,
                                           talvex::exec::OutputEncoding::CodePage);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const double cpu = CpuSeconds(RUSAGE_SELF) - cpuBefore;
    if (!ok || sink.size() != static_cast<std::size_t>(kLines)) {
        std::fprintf(stderr, "run failed: %zu lines\n", sink.size());
        std::exit(1);
    }
    return {Seconds(elapsed), cpu};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    const std::string folder = talvex::platform::OwnProgramFolder();
    const std::string program = folder + "/" + kWriter;
    std::printf("%ld lines of 25 bytes, median of %d rounds\n\n", kLines, kRounds);
    std::printf("%-9s %14s %14s %14s %12s %12s\n", "child", "alone lines/s", "runner lines/s", "runner CPU s",
                "CPU/alone", "wall/alone");
    for (const char* mode : {"buffered", "per-line"}) {
        std::vector<double> alone;
        std::vector<double> wall;
        std::vector<double> cpu;
        for (int round = 0; round < kRounds; ++round) {
            alone.push_back(AloneSeconds(program, mode));
            const Through through = RunnerSeconds(folder, mode);
            wall.push_back(through.wall);
            cpu.push_back(through.runnerCpu);
        }
        const double a = Median(alone);
        const double w = Median(wall);
        const double c = Median(cpu);
        std::printf("%-9s %14.0f %14.0f %14.3f %11.0f%% %11.0f%%\n", mode, kLines / a, kLines / w, c, 100 * c / a,
                    100 * w / a);
    }
    return 0;
}
