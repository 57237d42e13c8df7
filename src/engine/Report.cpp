// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Report.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "engine/CommandLine.h"
#include "engine/Header.h"
#include "engine/Text.h"

namespace robocopy {

namespace {

constexpr std::string_view kRule = "------------------------------------------------------------------------------\n";
constexpr std::uint64_t kMebibyte = std::uint64_t{1024} * 1024;

// The stamp in front of error lines and the source time of /TS.
std::string StampTime(std::time_t when) {
    std::tm local{};
    ::localtime_r(&when, &local);
    std::array<char, 32> buffer{};
    std::strftime(buffer.data(), buffer.size(), "%Y/%m/%d %H:%M:%S", &local);
    return buffer.data();
}

std::string PadLeft(std::string_view text, std::size_t width) {
    std::string result;
    if (text.size() < width) {
        result.assign(width - text.size(), ' ');
    }
    result.append(text);
    return result;
}

std::string PadRight(std::string_view text, std::size_t width) {
    std::string result(text);
    if (result.size() < width) {
        result.append(width - result.size(), ' ');
    }
    return result;
}

std::string Duration(double seconds) {
    const auto whole = static_cast<long long>(seconds);
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%lld:%02lld:%02lld", whole / 3600, (whole / 60) % 60, whole % 60);
    return buffer.data();
}

// Scales from `from` up with the decimals each unit gets; k, m, g, t.
std::string Scaled(std::uint64_t bytes, std::size_t from, const std::array<int, 4>& decimals) {
    static constexpr std::array<const char*, 4> kUnits = {"k", "m", "g", "t"};
    double value = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    while ((unit < from || value >= 1024.0) && unit + 1 < kUnits.size()) {
        value /= 1024.0;
        ++unit;
    }
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*f %s", decimals[unit], value, kUnits[unit]);
    return buffer.data();
}

// The class sits in a fixed field: copied files at column four, anomalies ("*EXTRA File") further left.
std::string ClassField(std::string_view kind, bool hidden) {
    if (hidden) {
        std::string blank(14, ' ');
        return blank;
    }
    return kind.starts_with('*') ? "  " + PadRight(kind, 12) : "    " + PadRight(kind, 10);
}

} // namespace

int ExitCodeFor(const Statistics& s) {
    int code = 0;
    if (s.files.copied > 0) {
        code |= 1;
    }
    if (s.files.extras > 0 || s.dirs.extras > 0) {
        code |= 2;
    }
    if (s.files.mismatch > 0 || s.dirs.mismatch > 0) {
        code |= 4;
    }
    if (s.files.failed > 0 || s.dirs.failed > 0) {
        code |= 8;
    }
    return code;
}

std::string ClassLineSize(std::uint64_t bytes) {
    return bytes < kMebibyte ? std::to_string(bytes) : Scaled(bytes, 1, {1, 1, 1, 1});
}

std::string SummarySize(std::uint64_t bytes) {
    return bytes < 1024 ? std::to_string(bytes) : Scaled(bytes, 0, {1, 2, 3, 3});
}

std::string ErrorLines(const WindowsError& error, std::string_view action, std::string_view path) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), " ERROR %u (0x%08X) ", error.code, error.code);
    return StampTime(std::time(nullptr)) + buffer.data() + std::string(action) + " " + EscapeControls(path) + "\n" +
           error.message + "\n\n";
}

Report::Report(Output& output, const Options& options, const Locale& locale)
    : m_output(output), m_options(options), m_locale(locale) {}

Report::~Report() {
    endLine();
}

void Report::emit(std::string_view text) {
    endLine();
    m_output.write(text);
}

void Report::endLine() {
    if (m_lineOpen) {
        m_lineOpen = false;
        m_output.write("\n");
    }
}

bool Report::showsProgress() const {
    return m_lineOpen && !m_options.noProgress && m_fileSize > 0;
}

void Report::header(std::time_t started) {
    if (!m_options.noHeader) {
        emit(HeaderText(m_options, started, m_locale));
    }
    emit(WarningText(m_options)); // also with /NJH: a switch that is ignored must not go unmentioned
}

void Report::directory(std::string_view kind, std::int64_t count, std::string_view path) {
    if (m_options.noDirectoryList) {
        return;
    }
    std::string line = "\t";
    const std::string shownKind = m_options.noClasses ? std::string() : "  " + std::string(kind);
    line += PadRight(shownKind, 9);
    if (!m_options.noSizes) {
        line += PadLeft(std::to_string(count), shownKind.size() > 9 ? 10 : 11);
    }
    line += "\t";
    line += EscapeControls(path);
    line += "\n";
    emit(line);
}

void Report::file(std::string_view kind, std::uint64_t size, std::time_t modified, std::string_view name) {
    if (m_options.noFileList) {
        return;
    }
    std::string line = "\t" + ClassField(kind, m_options.noClasses) + "\t\t";
    if (!m_options.noSizes) {
        line += PadLeft(m_options.rawBytes ? std::to_string(size) : ClassLineSize(size), 8);
    }
    if (m_options.timestamps) {
        line += " " + StampTime(modified);
    }
    line += "\t";
    line += EscapeControls(name);
    emit(line);
    m_lineOpen = true;
    m_fileSize = size;
    m_lastPercent = -1;
    m_fileStarted = std::chrono::steady_clock::now();
}

// Percentages go on the file's own line, each after a CR, and only to the console: in a log file
// they would be noise between the lines that a reader or a script looks for.
void Report::progress(std::uint64_t done, std::uint64_t size) {
    if (!showsProgress() || size == 0) {
        return;
    }
    const int percent = static_cast<int>(done * 100 / size);
    if (percent == m_lastPercent || percent >= 100) {
        return;
    }
    m_lastPercent = percent;
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "\r%3d%%  ", percent);
    std::string text = buffer.data();
    if (m_options.eta && done > 0) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_fileStarted).count();
        text += "ETA " + Duration(elapsed * static_cast<double>(size - done) / static_cast<double>(done));
    }
    m_output.writeTransient(text);
}

void Report::progressDone() {
    if (showsProgress()) {
        m_output.writeTransient(m_lastPercent < 0 ? "\r  0%  \r100%  " : "\r100%  ");
    }
    endLine();
}

void Report::error(int code, std::string_view action, std::string_view path) {
    const bool folder = action.find("Directory") != std::string_view::npos || path.ends_with('/');
    emit(ErrorLines(FromErrno(code, folder), action, path));
}

void Report::waiting(int seconds) {
    emit("Waiting " + std::to_string(seconds) + " seconds... Retrying...\n");
    m_output.flush(); // the wait can be long; whoever reads the output should see why
}

void Report::retryLimitExceeded() {
    emit("\nERROR: RETRY LIMIT EXCEEDED.\n\n");
}

void Report::note(std::string_view text) {
    emit(std::string(text) + "\n");
}

void Report::notePath(std::string_view what, std::string_view path) {
    emit("\t  " + std::string(what) + "\t" + EscapeControls(path) + "\n");
}

void Report::limitReached(std::uint64_t limit, std::uint64_t deleted, std::uint64_t more, std::string_view path) {
    const std::string n = std::to_string(limit);
    emit("\nERROR : Deleting " + EscapeControls(path) + " would delete " + std::to_string(more) +
         " more entries after " + std::to_string(deleted) + " (/MAXDEL:" + n +
         ").\n        Stopped before deleting more than " + n + " entries.\n");
}

void Report::summary(const Statistics& s, std::time_t started, std::time_t ended, double elapsedSeconds) {
    (void)started;
    endLine();
    if (m_options.noSummary) {
        m_output.flush();
        return;
    }
    const auto row = [](std::string_view caption, const Counts& c, auto format) {
        std::string line(caption);
        for (const std::uint64_t value : {c.total, c.copied, c.skipped, c.mismatch, c.failed, c.extras}) {
            line += PadLeft(format(value), 10);
        }
        return line + "\n";
    };
    const auto plain = [](std::uint64_t value) { return std::to_string(value); };
    const bool raw = m_options.rawBytes;
    const auto bytes = [raw](std::uint64_t value) { return raw ? std::to_string(value) : SummarySize(value); };
    std::string text = "\n";
    text += kRule;
    text += "\n               Total    Copied   Skipped  Mismatch    FAILED    Extras\n";
    text += row("    Dirs :", s.dirs, plain);
    text += row("   Files :", s.files, plain);
    text += row("   Bytes :", s.bytes, bytes);
    text += "   Times :" + PadLeft(Duration(elapsedSeconds), 10) + PadLeft(Duration(s.copySeconds), 10) +
            std::string(20, ' ') + PadLeft(Duration(s.failedSeconds), 10) + PadLeft(Duration(0), 10) + "\n";
    if (s.bytes.copied > 0 && s.copySeconds > 0) {
        const double perSecond = static_cast<double>(s.bytes.copied) / s.copySeconds;
        text += "\n\n   Speed : " + PadLeft(GroupedNumber(perSecond, 0, m_locale), 20) + " Bytes/sec.\n";
        text += "   Speed : " + PadLeft(GroupedNumber(perSecond * 60.0 / double(kMebibyte), 3, m_locale), 20) +
                " MegaBytes/min.\n";
    } else {
        text += "\n";
    }
    text += "   Ended : " + LongDate(ended, m_locale) + "\n\n";
    m_output.write(text);
    m_output.flush();
}

namespace {

// The usage text in the order robocopy prints its sections.
constexpr std::string_view kUsageHead = R"(
-------------------------------------------------------------------------------
   ROBOCOPY     ::     Robust File Copy for POSIX systems (Talvex)
-------------------------------------------------------------------------------

              Usage :: ROBOCOPY source destination [file [file]...] [options]
                       ROBOCOPY /JOB:jobfile [source destination] [options]

             source :: Source Directory (/path/to/folder).
        destination :: Destination Dir  (/path/to/folder).
               file :: File(s) to copy  (names/wildcards: default is "*.*").

)";
constexpr std::string_view kUsageCopy = R"(  Copy options :
                 /S :: copy Subdirectories, but not empty ones.
                 /E :: copy subdirectories, including Empty ones.
             /LEV:n :: only copy the top n LEVels of the source directory tree.
         /COPY:copyflag[s] :: what to COPY for files (default is /COPY:DAT).
                       (copyflags : D=Data, A=Attributes (mode bits), T=Timestamps,
                        S=Security (ACLs), O=Owner, U=aUditing (nothing to copy here)).
               /SEC :: copy files with SECurity (equivalent to /COPY:DATS).
           /COPYALL :: COPY ALL file info (equivalent to /COPY:DATSOU).
            /NOCOPY :: COPY NO file info (useful with /PURGE).
          /DCOPY:T :: COPY Directory Timestamps.
             /PURGE :: delete dest files/dirs that no longer exist in source.
          /MAXDEL:n :: stop (exit code 16) before deleting more than n entries.
               /MIR :: MIRror a directory tree (equivalent to /E plus /PURGE).
               /MOV :: MOVe files (delete from source after copying).
              /MOVE :: MOVE files AND dirs (delete from source after copying).
                       (what lies beyond a folder link is copied, never deleted).
            /CREATE :: CREATE directory tree and zero-length files only.
          /SL, /SJ :: copy symbolic links as links instead of their targets.
           /MT[:n] :: do multi-threaded copies with n threads (default 8, 1 to 128).
                 /Z :: copy files in restartable mode (a partial copy resumes on the next run).
                 /B :: copy files in Backup mode (with CAP_DAC_READ_SEARCH, CAP_DAC_OVERRIDE).
                /ZB :: use restartable mode; with the capabilities also Backup mode.
               /FAT :: create destination files using 8.3 FAT file names only (upper case,
                       "~n" where cut; here the short name is the only name a copy gets).
     /A+:[RASHCNET] :: add the given Attributes to copied files.
     /A-:[RASHCNET] :: remove the given Attributes from copied files.
             /MON:n :: MONitor source; run again when more than n changes seen.
             /MOT:m :: MOnitor source; run again in m minutes Time, if changed.
      /RH:hhmm-hhmm :: Run Hours - times when new copies may be started.
                /PF :: check run hours on a Per File (not per pass) basis.
             /IPG:n :: Inter-Packet Gap (ms), to free bandwidth on slow lines.

)";
constexpr std::string_view kUsageSelection = R"(  File selection options :
                 /XF file [file]... :: eXclude Files matching given names/paths/wildcards.
                 /XD dirs [dirs]... :: eXclude Directories matching given names/paths.
                 /IF file [file]... :: Include Files matching given names/wildcards.
                 /ID dirs [dirs]... :: Include only Directories matching given names/paths.
                 /A :: copy only files with the Archive attribute set.
                 /M :: copy only files with the Archive attribute and reset it.
    /IA:[RASHCNETO] :: Include only files with any of the given Attributes set.
    /XA:[RASHCNETO] :: eXclude files with any of the given Attributes set.
                       (attributes live in user.DOSATTRIB as Samba keeps them; R is
                        also a file without write bits, H also a name with a leading dot).
                /XC :: eXclude Changed files.
                /XN :: eXclude Newer files.
                /XO :: eXclude Older files.
                /XX :: eXclude eXtra files and directories.
                /XL :: eXclude Lonely files and directories.
                /IS :: Include Same files.
                /IT :: Include Tweaked files.
             /MAX:n :: MAXimum file size - exclude files bigger than n bytes.
             /MIN:n :: MINimum file size - exclude files smaller than n bytes.
               /FFT :: assume FAT File Times (2-second granularity).
                /XJ :: eXclude symbolic links (normally followed, loops are skipped).
               /XJD :: eXclude symbolic links to Directories.
               /XJF :: eXclude symbolic links to Files.

)";
constexpr std::string_view kUsageSpecial =
    R"(  FIFOs, sockets and devices are reported as *Special and skipped; /COPYALL run by
  root makes FIFOs and devices anew.

)";
constexpr std::string_view kUsageRetry = R"(  Retry options :
               /R:n :: number of Retries on failed copies: default 1 million.
               /W:n :: Wait time between retries: default is 30 seconds.
               /TBD :: wait for sharenames To Be Defined (retry a missing root with /R and /W).

)";
constexpr std::string_view kUsageLogging = R"(  Logging options :
                 /L :: List only - don't copy, timestamp or delete any files.
                 /X :: report all eXtra files, not just those selected.
                 /V :: produce Verbose output, showing skipped files.
                /TS :: include source file Time Stamps in the output.
                /FP :: include Full Pathname of files in the output.
             /BYTES :: Print sizes as bytes.
                /NS :: No Size - don't log file sizes.
                /NC :: No Class - don't log file classes.
               /NFL :: No File List - don't log file names.
               /NDL :: No Directory List - don't log directory names.
                /NP :: No Progress - don't display percentage copied.
               /ETA :: show Estimated Time of Arrival of copied files.
          /LOG:file :: output status to LOG file (overwrite existing log).
         /LOG+:file :: output status to LOG file (append to existing log).
       /UNILOG:file :: output status to LOG file as UNICODE (overwrite existing log).
      /UNILOG+:file :: output status to LOG file as UNICODE (append to existing log).
               /TEE :: output to console window, as well as the log file.
               /NJH :: No Job Header.
               /NJS :: No Job Summary.
           /UNICODE :: output status as UNICODE.

)";
constexpr std::string_view kUsageJob = R"(  Job options :
       /JOB:jobname :: take parameters from the named JOB file.
              /NOSD :: NO Source Directory is specified.
              /NODD :: NO Destination Directory is specified.
              /QUIT :: QUIT after processing command line (to view parameters).

  Control characters in file names are logged as \#ooo (their octal code); a "\#"
  in a name is logged as \#134#.

  Switches start with "/" and may be written in any letter case. A token that starts
  with "/" but names no switch is taken as a path, so /XD /home/me/tmp works.
)";
constexpr auto kUsage = std::to_array<std::string_view>(
    {kUsageHead, kUsageCopy, kUsageSelection, kUsageSpecial, kUsageRetry, kUsageLogging, kUsageJob});

} // namespace

std::string UsageText() {
    std::string text;
    for (const std::string_view section : kUsage) {
        text += section;
    }
    return text + UnsupportedSwitchesNote();
}

} // namespace robocopy
