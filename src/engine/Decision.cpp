// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Decision.h"

#include <algorithm>
#include <optional>

#include "engine/Text.h"

namespace robocopy {

namespace {

bool HasSeparator(const std::string& pattern) {
    return pattern.find('/') != std::string::npos;
}

// A name pattern matches the name; a pattern with a separator matches the full path.
bool MatchesAny(const std::vector<std::string>& patterns, const std::string& name, const std::string& dirPath,
                const std::string* otherDirPath) {
    return std::ranges::any_of(patterns, [&](const std::string& pattern) {
        if (!HasSeparator(pattern)) {
            return WildcardMatch(pattern, name);
        }
        return WildcardMatch(pattern, dirPath + name) ||
               (otherDirPath != nullptr && WildcardMatch(pattern, *otherDirPath + name));
    });
}

// The scope a subfolder gets from /XD and /ID, or nothing when it is not entered.
std::optional<Scope> FolderScope(const std::string& name, const std::string& sourceDirPath,
                                 const std::string* destDirPath, Scope parent, const Options& options) {
    if (MatchesAny(options.excludeDirectories, name, sourceDirPath, destDirPath)) {
        return std::nullopt;
    }
    if (options.includeDirectories.empty() || parent == Scope::Included ||
        MatchesAny(options.includeDirectories, name, sourceDirPath, destDirPath)) {
        return Scope::Included;
    }
    const std::string prefix = sourceDirPath + name + "/";
    for (const std::string& pattern : options.includeDirectories) {
        if (HasSeparator(pattern) && pattern.size() > prefix.size() &&
            WildcardMatch(std::string_view(pattern).substr(0, prefix.size()), prefix)) {
            return Scope::LeadsTo;
        }
    }
    return std::nullopt;
}

bool IsFileLike(const Entry& entry, const Options& options) {
    return (options.copyLinks && entry.isLink) || S_ISREG(entry.status.st_mode) || entry.error != 0 ||
           IsSpecialFile(entry.status);
}

// A destination entry that a mismatch leaves in place, or that /PURGE replaces.
Decision Mismatch(const Options& options, Scope scope = Scope::Included) {
    const Action action = options.purge && !options.listOnly ? Action::Replace : Action::Mismatch;
    return Decision{action, FileClass::New, "*Mismatch", scope};
}

Decision Classed(Action action, FileClass fileClass) {
    return Decision{action, fileClass, ClassName(fileClass)};
}

} // namespace

bool LinkExcluded(const Entry& entry, const Options& options) {
    if (!entry.isLink) {
        return false;
    }
    const bool isDir = S_ISDIR(entry.status.st_mode) || entry.linkToDir;
    return options.excludeLinks || (options.excludeDirLinks && isDir) || (options.excludeFileLinks && !isDir);
}

bool FileSelected(const std::string& name, const std::string& sourceDirPath, const std::string* destDirPath,
                  const Options& options) {
    if (!options.filePatterns.empty() && !MatchesAny(options.filePatterns, name, sourceDirPath, destDirPath)) {
        return false;
    }
    return !MatchesAny(options.excludeFiles, name, sourceDirPath, destDirPath);
}

bool IsCandidateFile(const Entry& source, const std::string& sourceDirPath, const Options& options) {
    return IsFileLike(source, options) && !LinkExcluded(source, options) &&
           FileSelected(source.name, sourceDirPath, nullptr, options);
}

Decision DecideFile(const Entry& source, const Entry* destination, const std::string& sourceDirPath,
                    const Options& options) {
    if (!IsCandidateFile(source, sourceDirPath, options)) {
        return {};
    }
    if (source.error != 0) {
        return Decision{Action::Dangling, FileClass::New, "*Dangling"};
    }
    const bool asLink = options.copyLinks && source.isLink;
    const mode_t type = asLink ? S_IFLNK : source.status.st_mode & S_IFMT;
    // A socket made anew would have nobody listening: it means nothing without its program.
    if (!asLink && IsSpecialFile(source.status) && (!options.copySpecialFiles || type == S_IFSOCK)) {
        return Decision{Action::Unsupported, FileClass::New, "*Special"};
    }
    if (destination != nullptr && (destination->status.st_mode & S_IFMT) != type) {
        return Mismatch(options);
    }
    const FileClass fileClass =
        Classify(source.status, destination != nullptr ? &destination->status : nullptr, options);
    if (const std::string_view excluded = SizeExclusion(SizeOf(source), options); !excluded.empty()) {
        return Decision{Action::Skip, fileClass, excluded};
    }
    if (!IsSelected(fileClass, options)) {
        return Decision{Action::Skip, fileClass, fileClass == FileClass::New ? "lonely" : ClassName(fileClass)};
    }
    const CopyFlags& flags = options.copy;
    const bool metadataOnly = !flags.data && !options.createOnly;
    if (metadataOnly &&
        (destination == nullptr || (!flags.attributes && !flags.times && !flags.owner && !flags.security))) {
        return Decision{Action::Skip, fileClass, ""}; // /NOCOPY, or metadata for a file that is not there
    }
    if (options.listOnly) {
        return Classed(Action::List, fileClass);
    }
    return Classed(metadataOnly ? Action::Metadata : Action::Copy, fileClass);
}

Decision DecideFolder(const Entry& source, const Entry* destination, const std::string& sourceDirPath, int level,
                      Scope parent, const Options& options) {
    if (!S_ISDIR(source.status.st_mode) || source.error != 0 || LinkExcluded(source, options)) {
        return {};
    }
    const std::optional<Scope> scope = FolderScope(source.name, sourceDirPath, nullptr, parent, options);
    if (!scope) {
        return {};
    }
    const bool deeper = options.recurse() && (options.levels == 0 || level < options.levels);
    if (destination != nullptr && !S_ISDIR(destination->status.st_mode)) {
        // Replaced only where the folder is then walked into; beyond the depth it stays as it is.
        return deeper ? Mismatch(options, *scope) : Decision{Action::Mismatch, FileClass::New, "*Mismatch"};
    }
    return Decision{deeper ? Action::Enter : Action::Skip, FileClass::New, "", *scope};
}

Decision DecideExtraFile(const Entry& extra, const std::string& sourceDirPath, const std::string& destDirPath,
                         bool isProtected, const Options& options) {
    constexpr std::string_view kLabel = "*EXTRA File";
    if (!FileSelected(extra.name, sourceDirPath, &destDirPath, options) || isProtected) {
        // Files the filters leave out are not the run's business: they stay, and /X only names them.
        return Decision{options.reportExtras ? Action::Name : Action::Ignore, FileClass::New, kLabel};
    }
    if (options.excludeExtra) {
        return {};
    }
    return Decision{options.purge && !options.listOnly ? Action::Purge : Action::Extra, FileClass::New, kLabel};
}

Decision DecideExtraFolder(const Entry& extra, const std::string& sourceDirPath, const std::string& destDirPath,
                           int level, Scope parent, bool isProtected, const Options& options) {
    if (!FolderScope(extra.name, sourceDirPath, &destDirPath, parent, options) || options.excludeExtra || isProtected) {
        return {};
    }
    // Windows keeps its own bookkeeping there; a mirror onto a drive's root must not take it away.
    if (level == 1 && EqualsIgnoringCase(extra.name, "System Volume Information")) {
        return {};
    }
    return Decision{options.purge && !options.listOnly ? Action::Purge : Action::Extra, FileClass::New, "*EXTRA Dir"};
}

} // namespace robocopy
