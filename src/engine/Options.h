// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace robocopy {

// What to carry over besides the data; the letters of /COPY: and /DCOPY:.
struct CopyFlags {
    bool data = true;       // D
    bool attributes = true; // A: permission bits
    bool times = true;      // T
    bool security = false;  // S: ACL extended attributes
    bool owner = false;     // O
    bool auditing = false;  // U: nothing on POSIX to carry; accepted
};

// Everything one run was asked to do, after the command line and any job file were read.
struct Options {
    std::string source;
    std::string destination;
    std::vector<std::string> filePatterns; // FILE arguments and /IF names; empty means every file

    // Tree shape.
    bool subdirectories = false;   // /S
    bool emptyDirectories = false; // /E (implies /S)
    int levels = 0;                // /LEV:n; 0 means no limit
    bool purge = false;            // /PURGE (and /MIR)
    bool mirror = false;           // /MIR, kept only for the options line
    bool moveFiles = false;        // /MOV
    bool moveAll = false;          // /MOVE
    bool createOnly = false;       // /CREATE
    bool listOnly = false;         // /L

    // File classes.
    bool excludeOlder = false;            // /XO
    bool excludeNewer = false;            // /XN
    bool excludeChanged = false;          // /XC
    bool excludeExtra = false;            // /XX
    bool excludeLonely = false;           // /XL
    bool includeSame = false;             // /IS
    bool includeTweaked = false;          // /IT
    bool fatTimes = false;                // /FFT
    std::optional<std::uint64_t> maxSize; // /MAX:n
    std::optional<std::uint64_t> minSize; // /MIN:n

    // DOS attributes, as Windows numbers them.
    bool archiveOnly = false;            // /A: only files with the archive bit
    bool resetArchive = false;           // /M: the same, and the bit is cleared at the source
    std::uint32_t includeAttributes = 0; // /IA: only files with any of these
    std::uint32_t excludeAttributes = 0; // /XA: no file with any of these
    std::uint32_t addAttributes = 0;     // /A+: set on the copies
    std::uint32_t removeAttributes = 0;  // /A-: cleared on the copies

    std::vector<std::string> excludeFiles;       // /XF
    std::vector<std::string> excludeDirectories; // /XD
    std::vector<std::string> includeDirectories; // /ID

    CopyFlags copy;
    bool copyDirectoryTimes = false; // /DCOPY:T

    // Links.
    bool excludeLinks = false;     // /XJ
    bool excludeDirLinks = false;  // /XJD
    bool excludeFileLinks = false; // /XJF
    bool copyLinks = false;        // /SL and /SJ: copy the link itself
    bool fatNames = false;         // /FAT: destination names in 8.3 form
    bool copySpecialFiles = false; // FIFOs and devices made anew: /COPYALL run by root

    std::optional<std::uint64_t> maxDeletions; // /MAXDEL:n

    int threads = 0; // /MT:n: files written by n threads at once; 0 without /MT

    // Monitoring and timing.
    int gapMilliseconds = 0;      // /IPG:n between blocks of 64 KiB
    int monitorChanges = 0;       // /MON:n: run again when more than n changes are seen
    int monitorMinutes = 0;       // /MOT:m: run again after m minutes when anything changed
    int runHoursStart = -1;       // /RH: minute of the day from which new copies start; -1 without /RH
    int runHoursEnd = -1;         // and up to which
    bool runHoursPerFile = false; // /PF: the hours are checked for every file, not every pass

    bool waitForShares = false;     // /TBD: retry a source or destination root that is not there yet
    bool restartable = false;       // /Z and /ZB: an interrupted copy resumes where it stopped
    bool backupMode = false;        // /B and /ZB: read and write regardless of permissions
    bool backupIfPermitted = false; // /ZB: backup mode where the capabilities allow, else restartable only

    int retries = 1000000; // /R:n
    int waitSeconds = 30;  // /W:n

    // Output.
    bool verbose = false;         // /V
    bool timestamps = false;      // /TS
    bool fullPaths = false;       // /FP
    bool noSizes = false;         // /NS
    bool noClasses = false;       // /NC
    bool noDirectoryList = false; // /NDL
    bool noFileList = false;      // /NFL
    bool noHeader = false;        // /NJH
    bool noSummary = false;       // /NJS
    bool noProgress = false;      // /NP
    bool reportExtras = false;    // /X
    bool eta = false;             // /ETA
    bool rawBytes = false;        // /BYTES
    bool tee = false;             // /TEE
    bool unicodeOutput = false;   // /UNICODE
    std::string logFile;
    bool logAppend = false;
    bool logUnicode = false;
    bool quit = false;               // /QUIT: show what would run and stop
    std::string saveJob;             // /SAVE:name: the job file to write
    bool noSourceSaved = false;      // /NOSD: the saved job leaves the source to the command line
    bool noDestinationSaved = false; // /NODD: the same for the destination

    // The switches as they were given, for the header's options line.
    std::vector<std::string> switchesSeen;
    // Accepted switches that this system does not carry out.
    std::vector<std::string> unsupported;
    // Notes for the header, such as unknown switches skipped in a job file.
    std::vector<std::string> warnings;

    [[nodiscard]] bool monitors() const { return monitorChanges > 0 || monitorMinutes > 0; }
    [[nodiscard]] bool recurse() const { return subdirectories || emptyDirectories; }
    [[nodiscard]] bool selectsByAttributes() const {
        return archiveOnly || resetArchive || includeAttributes != 0 || excludeAttributes != 0;
    }
    // The run reads or writes DOS attributes.
    [[nodiscard]] bool usesAttributes() const {
        return copy.attributes || selectsByAttributes() || addAttributes != 0 || removeAttributes != 0;
    }
};

} // namespace robocopy
