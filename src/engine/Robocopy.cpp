// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Robocopy.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "engine/CommandLine.h"
#include "engine/Header.h"
#include "engine/Output.h"
#include "engine/Privileges.h"
#include "engine/Report.h"
#include "engine/SavedJob.h"
#include "engine/Schedule.h"
#include "engine/TreeCopier.h"

namespace robocopy {

namespace {

constexpr int kFatal = 16;

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Windows refuses these characters in a name; a folder part may hold ":" on POSIX, the name may not.
bool HasInvalidWindowsName(std::string_view path) {
    const std::string_view name = path.substr(path.rfind('/') + 1);
    return name.find_first_of("<>:\"|?*") != std::string_view::npos;
}

// A saved job replaces the old one whole or not at all: written beside it under a name of its own,
// then renamed over it, so a full disk or a kill never leaves half a job file.
bool WriteWholeFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".talvex-" + std::to_string(::getpid());
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << text;
        file.flush();
        if (!file) {
            file.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void FinishCounts(Statistics& statistics) {
    for (Counts* counts : {&statistics.dirs, &statistics.files, &statistics.bytes}) {
        const std::uint64_t handled = counts->copied + counts->failed + counts->mismatch;
        if (counts != &statistics.dirs) {
            continue; // files and bytes count their skips as they go
        }
        counts->skipped = counts->total > handled ? counts->total - handled : 0;
    }
}

// One pass over the trees, from the header to the summary; returns its exit code.
int RunPass(const Options& options, Output& output) {
    Report report(output, options, SystemLocale());
    const std::time_t started = std::time(nullptr);
    const auto clockStart = std::chrono::steady_clock::now();
    report.header(started);
    if (options.quit) {
        return 0;
    }
    if (!options.runHoursPerFile) {
        WaitForRunHours(options, report);
    }
    Statistics statistics;
    TreeCopier copier(options, report, statistics);
    if (!options.logFile.empty()) {
        copier.protect(options.logFile);
    }
    if (!copier.run()) {
        output.flush();
        return kFatal;
    }
    FinishCounts(statistics);
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - clockStart).count();
    report.summary(statistics, started, std::time(nullptr), elapsed);
    return copier.limitReached() ? kFatal : ExitCodeFor(statistics);
}

} // namespace

int RunRobocopy(const std::vector<std::string>& arguments, int consoleFd) {
    ParseResult parsed = ParseCommandLine(arguments, ReadWholeFile);
    Output output(consoleFd, parsed.options.unicodeOutput);
    if (parsed.showUsage) {
        output.write(UsageText());
        // Asked for with /?, the usage is an answer, not a failure; without arguments it is one.
        return arguments.empty() ? kFatal : 0;
    }
    if (!parsed.error.empty()) {
        output.write(Banner() + "\n" + parsed.error +
                     "\n\n       Simple Usage :: ROBOCOPY source destination /MIR\n\n"
                     "             source :: Source Directory (/path/to/folder).\n"
                     "        destination :: Destination Dir  (/path/to/folder).\n"
                     "               /MIR :: Mirror a complete directory tree.\n\n"
                     "    For more usage information run ROBOCOPY /?\n\n"
                     "****  /MIR can DELETE files as well as copy them !\n");
        return kFatal;
    }
    // Absolute paths for the header and for /XF and /XD patterns written as full paths.
    for (std::string* path : {&parsed.options.source, &parsed.options.destination}) {
        std::error_code error;
        const auto absolute = std::filesystem::absolute(*path, error);
        if (!error) {
            *path = absolute.lexically_normal().string();
            if (path->size() > 1 && path->back() == '/') {
                path->pop_back();
            }
        }
    }
    // As rsync -a does: only root can make devices, and only a full copy asks for them. Never without
    // data: carrying only times onto a device would mean opening it.
    const CopyFlags& flags = parsed.options.copy;
    parsed.options.copySpecialFiles = flags.owner && flags.data && ::geteuid() == 0;
    const Options& options = parsed.options;
    // Before any thread starts: they take the capabilities over from this one.
    if (!options.quit && (options.backupMode || options.backupIfPermitted) && RaiseBackupCapabilities() != 0 &&
        options.backupMode) {
        output.write(
            "\nERROR : Backup mode (/B) needs the capabilities CAP_DAC_READ_SEARCH and CAP_DAC_OVERRIDE:\n"
            "        run as root, or give the program them (setcap cap_dac_read_search,cap_dac_override+p).\n");
        return kFatal;
    }
    // /QUIT only shows what would run: it must not create or empty the log file.
    if (!options.logFile.empty() && !options.quit) {
        // A name Windows refuses ("C:\\dev\\x.log" typed for the wrong system) would otherwise become an
        // odd file in the working folder; robocopy refuses it, and so do we.
        const int problem = HasInvalidWindowsName(options.logFile)
                                ? -1
                                : output.openLog(options.logFile, options.logAppend, options.logUnicode);
        if (problem != 0) {
            const WindowsError error = problem < 0 ? InvalidNameError() : FromErrno(problem, false);
            output.write("\n" + ErrorLines(error, "Opening Log File", options.logFile));
            return kFatal;
        }
        if (!options.tee) {
            output.writeConsole("\n  Log File : " + options.logFile + "\n\n");
            output.setConsoleEnabled(false);
        }
    }
    if (!options.saveJob.empty()) {
        const std::string path = SavedJobPath(options.saveJob);
        if (!WriteWholeFile(path, SavedJobText(options, path, std::time(nullptr)))) {
            output.write("\nERROR : Cannot write job file " + path + "\n");
            return kFatal;
        }
    }
    int code = RunPass(options, output);
    // /MON and /MOT: the next pass once the source changed enough; Stop ends the process meanwhile.
    while (options.monitors() && !options.quit && code != kFatal) {
        ChangeMonitor monitor(options.source);
        monitor.waitForNextPass(options);
        code = RunPass(options, output);
    }
    return code;
}

} // namespace robocopy
