// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Decision.h"

#include <optional>

#include "engine/Text.h"

namespace robocopy {

namespace {

bool hasSeparator(const std::string& pattern) {
    return pattern.find('/') != std::string::npos;
}

// A name pattern matches the name; a pattern with a separator matches the full path.
bool matchesAny(const std::vector<std::string>& patterns, const std::string& name, const std::string& dirPath,
                const std::string* otherDirPath) {
    for (const std::string& pattern : patterns) {
        if (!hasSeparator(pattern)) {
            if (wildcardMatch(pattern, name)) {
                return true;
            }
        } else if (wildcardMatch(pattern, dirPath + name) ||
                   (otherDirPath != nullptr && wildcardMatch(pattern, *otherDirPath + name))) {
            return true;
        }
    }
    return false;
}

// The scope a subfolder gets from /XD and /ID, or nothing when it is not entered.
std::optional<Scope> folderScope(const std::string& name, const std::string& sourceDirPath,
                                 const std::string* destDirPath, Scope parent, const Options& options) {
    if (matchesAny(options.excludeDirectories, name, sourceDirPath, destDirPath)) {
        return std::nullopt;
    }
    if (options.includeDirectories.empty() || parent == Scope::Included ||
        matchesAny(options.includeDirectories, name, sourceDirPath, destDirPath)) {
        return Scope::Included;
    }
    const std::string prefix = sourceDirPath + name + "/";
    for (const std::string& pattern : options.includeDirectories) {
        if (hasSeparator(pattern) && pattern.size() > prefix.size() &&
            wildcardMatch(std::string_view(pattern).substr(0, prefix.size()), prefix)) {
            return Scope::LeadsTo;
        }
    }
    return std::nullopt;
}

bool isFileLike(const Entry& entry, const Options& options) {
    return (options.copyLinks && entry.isLink) || S_ISREG(entry.status.st_mode) || entry.error != 0 ||
           isSpecialFile(entry.status);
}

// A destination entry that a mismatch leaves in place, or that /PURGE replaces.
Decision mismatch(const Options& options, Scope scope = Scope::Included) {
    const Action action = options.purge && !options.listOnly ? Action::Replace : Action::Mismatch;
    return Decision{action, FileClass::New, "*Mismatch", scope};
}

Decision classed(Action action, FileClass fileClass) {
    return Decision{action, fileClass, className(fileClass)};
}

} // namespace

bool linkExcluded(const Entry& entry, const Options& options) {
    if (!entry.isLink) {
        return false;
    }
    const bool isDir = S_ISDIR(entry.status.st_mode) || entry.linkToDir;
    return options.excludeLinks || (options.excludeDirLinks && isDir) || (options.excludeFileLinks && !isDir);
}

bool fileSelected(const std::string& name, const std::string& sourceDirPath, const std::string* destDirPath,
                  const Options& options) {
    if (!options.filePatterns.empty() && !matchesAny(options.filePatterns, name, sourceDirPath, destDirPath)) {
        return false;
    }
    return !matchesAny(options.excludeFiles, name, sourceDirPath, destDirPath);
}

bool isCandidateFile(const Entry& source, const std::string& sourceDirPath, const Options& options) {
    return isFileLike(source, options) && !linkExcluded(source, options) &&
           fileSelected(source.name, sourceDirPath, nullptr, options);
}

Decision decideFile(const Entry& source, const Entry* destination, const std::string& sourceDirPath,
                    const Options& options) {
    if (!isCandidateFile(source, sourceDirPath, options)) {
        return {};
    }
    if (source.error != 0) {
        return Decision{Action::Dangling, FileClass::New, "*Dangling"};
    }
    const bool asLink = options.copyLinks && source.isLink;
    const mode_t type = asLink ? S_IFLNK : source.status.st_mode & S_IFMT;
    // A socket made anew would have nobody listening: it means nothing without its program.
    if (!asLink && isSpecialFile(source.status) && (!options.copySpecialFiles || type == S_IFSOCK)) {
        return Decision{Action::Unsupported, FileClass::New, "*Special"};
    }
    if (destination != nullptr && (destination->status.st_mode & S_IFMT) != type) {
        return mismatch(options);
    }
    const FileClass fileClass =
        classify(source.status, destination != nullptr ? &destination->status : nullptr, options);
    if (const std::string_view excluded = sizeExclusion(sizeOf(source), options); !excluded.empty()) {
        return Decision{Action::Skip, fileClass, excluded};
    }
    if (!isSelected(fileClass, options)) {
        return Decision{Action::Skip, fileClass, fileClass == FileClass::New ? "lonely" : className(fileClass)};
    }
    const CopyFlags& flags = options.copy;
    const bool metadataOnly = !flags.data && !options.createOnly;
    if (metadataOnly &&
        (destination == nullptr || (!flags.attributes && !flags.times && !flags.owner && !flags.security))) {
        return Decision{Action::Skip, fileClass, ""}; // /NOCOPY, or metadata for a file that is not there
    }
    if (options.listOnly) {
        return classed(Action::List, fileClass);
    }
    return classed(metadataOnly ? Action::Metadata : Action::Copy, fileClass);
}

Decision decideFolder(const Entry& source, const Entry* destination, const std::string& sourceDirPath, int level,
                      Scope parent, const Options& options) {
    if (!S_ISDIR(source.status.st_mode) || source.error != 0 || linkExcluded(source, options)) {
        return {};
    }
    const std::optional<Scope> scope = folderScope(source.name, sourceDirPath, nullptr, parent, options);
    if (!scope) {
        return {};
    }
    const bool deeper = options.recurse() && (options.levels == 0 || level < options.levels);
    if (destination != nullptr && !S_ISDIR(destination->status.st_mode)) {
        // Replaced only where the folder is then walked into; beyond the depth it stays as it is.
        return deeper ? mismatch(options, *scope) : Decision{Action::Mismatch, FileClass::New, "*Mismatch"};
    }
    return Decision{deeper ? Action::Enter : Action::Skip, FileClass::New, "", *scope};
}

Decision decideExtraFile(const Entry& extra, const std::string& sourceDirPath, const std::string& destDirPath,
                         bool isProtected, const Options& options) {
    constexpr std::string_view kLabel = "*EXTRA File";
    if (!fileSelected(extra.name, sourceDirPath, &destDirPath, options) || isProtected) {
        // Files the filters leave out are not the run's business: they stay, and /X only names them.
        return Decision{options.reportExtras ? Action::Name : Action::Ignore, FileClass::New, kLabel};
    }
    if (options.excludeExtra) {
        return {};
    }
    return Decision{options.purge && !options.listOnly ? Action::Purge : Action::Extra, FileClass::New, kLabel};
}

Decision decideExtraFolder(const Entry& extra, const std::string& sourceDirPath, const std::string& destDirPath,
                           int level, Scope parent, bool isProtected, const Options& options) {
    if (!folderScope(extra.name, sourceDirPath, &destDirPath, parent, options) || options.excludeExtra || isProtected) {
        return {};
    }
    // Windows keeps its own bookkeeping there; a mirror onto a drive's root must not take it away.
    if (level == 1 && equalsIgnoringCase(extra.name, "System Volume Information")) {
        return {};
    }
    return Decision{options.purge && !options.listOnly ? Action::Purge : Action::Extra, FileClass::New, "*EXTRA Dir"};
}

} // namespace robocopy
