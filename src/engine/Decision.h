// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "engine/FileClass.h"
#include "engine/FileOps.h"
#include "engine/Options.h"

// What happens to one entry, decided from the two listings and the options alone: no I/O here, so
// every rule about classes, filters and extras lives in one place that a table can test.
namespace robocopy {

// How far the folder filters let a folder in.
enum class Scope {
    Root,     // its files are copied; its folders only when /ID lets them
    Included, // files and folders are copied
    LeadsTo,  // only on the way to a folder named by a full path in /ID
};

enum class Action {
    Ignore,      // left out by a filter or a link switch: neither counted nor named
    Dangling,    // a link to nothing: named under /V only, not counted
    Mismatch,    // a file meets a folder (or a link meets a file): counted, named, left as it is
    Replace,     // such a mismatch under /PURGE: the destination entry goes, the source comes as new
    Unsupported, // a FIFO, socket or device that is not made anew: named always, counted as skipped
    Skip,        // counted as skipped, named under /V
    List,        // /L: named and counted as copied; nothing is written
    Metadata,    // mode and times onto the file that is there, no data
    Copy,        // data written
    Name,        // an extra that filters keep out of the run: named under /X only
    Extra,       // an extra counted and named; it stays
    Purge,       // an extra counted, named and deleted
    Enter,       // a folder to walk into
};

struct Decision {
    Action action = Action::Ignore;
    FileClass fileClass = FileClass::New;
    std::string_view label;        // the class word of the log line
    Scope scope = Scope::Included; // for Enter: how far the filters let the folder in
};

[[nodiscard]] bool LinkExcluded(const Entry& entry, const Options& options);
// The /IF, FILE and /XF filters; a pattern with a separator is matched against the full path in
// either tree.
[[nodiscard]] bool FileSelected(const std::string& name, const std::string& sourceDirPath,
                                const std::string* destDirPath, const Options& options);
// A source file the run looks at, dangling links included; the folder line counts the others.
[[nodiscard]] bool IsCandidateFile(const Entry& source, const std::string& sourceDirPath, const Options& options);

// A source file (or a link copied as one) against the destination entry of the same name, if any.
[[nodiscard]] Decision DecideFile(const Entry& source, const Entry* destination, const std::string& sourceDirPath,
                                  const Options& options);
// A source folder against the destination entry of the same name; Skip when the tree depth ends here.
[[nodiscard]] Decision DecideFolder(const Entry& source, const Entry* destination, const std::string& sourceDirPath,
                                    int level, Scope parent, const Options& options);
// A destination file without a source; isProtected for files such as the open log.
[[nodiscard]] Decision DecideExtraFile(const Entry& extra, const std::string& sourceDirPath,
                                       const std::string& destDirPath, bool isProtected, const Options& options);
[[nodiscard]] Decision DecideExtraFolder(const Entry& extra, const std::string& sourceDirPath,
                                         const std::string& destDirPath, int level, Scope parent, bool isProtected,
                                         const Options& options);

} // namespace robocopy
