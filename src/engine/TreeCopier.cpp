// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TreeCopier.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include "engine/Descriptor.h"
#include "engine/FileClass.h"
#include "engine/Text.h"

namespace robocopy {

namespace {

struct Pair {
    const Entry* source = nullptr;
    const Entry* dest = nullptr;
};

std::vector<Pair> pairByName(const std::vector<Entry>& sources, const std::vector<Entry>& dests) {
    std::vector<Pair> pairs;
    pairs.reserve(std::max(sources.size(), dests.size()));
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < sources.size() || j < dests.size()) {
        if (j == dests.size() || (i < sources.size() && sources[i].name < dests[j].name)) {
            pairs.push_back(Pair{&sources[i++], nullptr});
        } else if (i == sources.size() || dests[j].name < sources[i].name) {
            pairs.push_back(Pair{nullptr, &dests[j++]});
        } else {
            pairs.push_back(Pair{&sources[i++], &dests[j++]});
        }
    }
    return pairs;
}

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

std::string withSeparator(std::string path) {
    if (path.empty() || path.back() != '/') {
        path.push_back('/');
    }
    return path;
}

// Files from this size on are copied alone and show progress figures.
constexpr std::uint64_t kProgressSize = 1024u * 1024u;
// Small files copied together between two reports; enough to keep both threads busy.
constexpr std::size_t kBatchSize = 64;
// Subfolders listed ahead at once: enough to share between two threads, few enough to keep memory small.
constexpr std::size_t kListAhead = 8;
// Folders larger than this (their own size grows with their entries) are not listed ahead, so that
// memory stays bounded however wide a tree is.
constexpr off_t kListAheadFolderSize = 64 * 1024;

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TreeCopier::TreeCopier(const Options& options, Report& report, Statistics& statistics)
    : m_options(options), m_report(report), m_statistics(statistics) {
    m_umask = ::umask(0);
    ::umask(m_umask);
}

void TreeCopier::protectWithAncestors(const std::string& path) {
    std::error_code error;
    std::filesystem::path current = std::filesystem::weakly_canonical(path, error);
    if (error) {
        return;
    }
    for (;;) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) == 0) {
            m_protected.emplace_back(status.st_dev, status.st_ino);
        }
        if (!current.has_relative_path()) {
            break;
        }
        current = current.parent_path();
    }
}

bool TreeCopier::isProtected(const struct stat& status) const {
    return std::find(m_protected.begin(), m_protected.end(), std::make_pair(status.st_dev, status.st_ino)) !=
           m_protected.end();
}

bool TreeCopier::linkExcluded(const Entry& entry) const {
    if (!entry.isLink) {
        return false;
    }
    const bool isDir = S_ISDIR(entry.status.st_mode);
    return m_options.excludeLinks || (m_options.excludeDirLinks && isDir) || (m_options.excludeFileLinks && !isDir);
}

bool TreeCopier::fileSelected(const std::string& name, const std::string& sourceDirPath,
                              const std::string* destDirPath) const {
    if (!m_options.filePatterns.empty() && !matchesAny(m_options.filePatterns, name, sourceDirPath, destDirPath)) {
        return false;
    }
    return !matchesAny(m_options.excludeFiles, name, sourceDirPath, destDirPath);
}

TreeCopier::Scope TreeCopier::directoryScope(const std::string& name, const std::string& sourceDirPath,
                                             const std::string* destDirPath, Scope parent, bool& enter) const {
    enter = !matchesAny(m_options.excludeDirectories, name, sourceDirPath, destDirPath);
    if (!enter || m_options.includeDirectories.empty() || parent == Scope::Included) {
        return Scope::Included;
    }
    if (matchesAny(m_options.includeDirectories, name, sourceDirPath, destDirPath)) {
        return Scope::Included;
    }
    const std::string prefix = sourceDirPath + name + "/";
    for (const std::string& pattern : m_options.includeDirectories) {
        if (hasSeparator(pattern) && pattern.size() > prefix.size() &&
            wildcardMatch(std::string_view(pattern).substr(0, prefix.size()), prefix)) {
            return Scope::LeadsTo;
        }
    }
    enter = false;
    return Scope::Included;
}

std::string TreeCopier::shownName(const std::string& dirPath, const std::string& name) const {
    return m_options.fullPaths ? dirPath + name : name;
}

int TreeCopier::ensure(DestDir& dir) {
    if (dir.fd >= 0) {
        return 0;
    }
    if (dir.parent == nullptr) {
        return ENOENT;
    }
    if (const int error = ensure(*dir.parent); error != 0) {
        return error;
    }
    // Created private and opened without following links; the mode is set once its content is in.
    if (::mkdirat(dir.parent->fd, dir.name.c_str(), 0700) != 0 && errno != EEXIST) {
        return errno;
    }
    dir.fd = ::openat(dir.parent->fd, dir.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir.fd < 0) {
        return errno;
    }
    dir.created = true;
    ++m_statistics.dirs.copied;
    return 0;
}

bool TreeCopier::run() {
    const std::string sourcePath = withSeparator(m_options.source);
    const std::string destPath = withSeparator(m_options.destination);
    const Descriptor source(::open(m_options.source.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (source.get() < 0) {
        m_report.error(errno, "Accessing Source Directory", sourcePath);
        return false;
    }
    struct stat sourceStatus {};
    if (::fstat(source.get(), &sourceStatus) != 0) {
        m_report.error(errno, "Accessing Source Directory", sourcePath);
        return false;
    }
    // The source and the folders above it are never purged, for a source that lies inside the destination.
    protectWithAncestors(m_options.source);

    DestDir root;
    root.fd = ::open(m_options.destination.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root.fd < 0 && errno == ENOENT && !m_options.listOnly) {
        std::error_code error;
        std::filesystem::create_directories(m_options.destination, error);
        root.fd = ::open(m_options.destination.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (root.fd >= 0) {
            root.created = true;
            ++m_statistics.dirs.copied;
        }
    }
    if (root.fd < 0 && !(m_options.listOnly && errno == ENOENT)) {
        m_report.error(errno, "Creating Destination Directory", destPath);
        return false;
    }
    root.existed = root.fd >= 0 && !root.created;
    if (root.fd >= 0 && ::fstat(root.fd, &root.status) == 0) {
        m_destRootDev = root.status.st_dev;
        m_destRootIno = root.status.st_ino;
        m_haveDestRoot = true;
    }

    m_ancestors.emplace_back(sourceStatus.st_dev, sourceStatus.st_ino);
    m_sourceRootDev = sourceStatus.st_dev;
    m_sourceRootIno = sourceStatus.st_ino;
    bool failure = false;
    processDirectory(source.get(), root, sourcePath, destPath, 1, Scope::Root, failure, nullptr, nullptr);
    if (root.fd >= 0) {
        if (!m_options.listOnly) {
            applyDirectoryMetadata(root.fd, sourceStatus, root.created, m_options.copy.attributes,
                                   m_options.copyDirectoryTimes, m_umask);
        }
        ::close(root.fd);
    }
    return true;
}

void TreeCopier::processDirectory(int sourceFd, DestDir& dest, const std::string& sourcePath,
                                  const std::string& destPath, int level, Scope scope, bool& anyFailure,
                                  Listing* prefetchedSource, Listing* prefetchedDest) {
    Statistics& st = m_statistics;
    ++st.dirs.total;
    struct stat sourceStatus {};
    struct stat destStatus {};
    if (::fstat(sourceFd, &sourceStatus) != 0 || (dest.fd >= 0 && ::fstat(dest.fd, &destStatus) != 0)) {
        m_report.error(errno, "Accessing Source Directory", sourcePath);
        ++st.dirs.failed;
        anyFailure = true;
        return;
    }
    if (dest.fd >= 0 && sourceStatus.st_dev == destStatus.st_dev && sourceStatus.st_ino == destStatus.st_ino) {
        // Copying a folder onto itself would let /MOV delete the only copy.
        m_report.error(EINVAL, "Source and Destination are the same folder", sourcePath);
        ++st.dirs.failed;
        anyFailure = true;
        return;
    }
    // A listing read ahead counts only when it was read from the very folder now open.
    const auto fits = [](const Listing* listing, const struct stat& status) {
        return listing != nullptr && listing->error == 0 && listing->device == status.st_dev &&
               listing->inode == status.st_ino;
    };
    Listing ownSource;
    Listing ownDest;
    Listing& sourceListing = fits(prefetchedSource, sourceStatus) ? *prefetchedSource : ownSource;
    Listing& destListing = fits(prefetchedDest, destStatus) ? *prefetchedDest : ownDest;
    const bool readSource = &sourceListing == &ownSource;
    const bool readDest = dest.fd >= 0 && &destListing == &ownDest;
    const auto read = [&](std::size_t i, int) {
        if (i == 0) {
            ownSource.error = readEntries(sourceFd, !m_options.copyLinks, ownSource.entries);
        } else {
            ownDest.error = readEntries(dest.fd, false, ownDest.entries);
        }
    };
    if (readSource && readDest) {
        m_worker.forEach(2, read);
    } else if (readSource || readDest) {
        read(readSource ? 0 : 1, 0); // waking the worker for one listing costs more than it saves
    }
    const int sourceError = sourceListing.error;
    const int destError = dest.fd >= 0 ? destListing.error : 0;
    const std::vector<Entry>& sources = sourceListing.entries;
    const std::vector<Entry>& dests = destListing.entries;
    if (sourceError != 0) {
        // Nothing is purged here: a folder that cannot be read must not look empty.
        m_report.error(sourceError, "Accessing Source Directory", sourcePath);
        ++st.dirs.failed;
        anyFailure = true;
        return;
    }
    if (destError != 0) {
        m_report.error(destError, "Accessing Destination Directory", destPath);
        ++st.dirs.failed;
        anyFailure = true;
        return;
    }
    const auto isFileLike = [this](const Entry& e) {
        return (m_options.copyLinks && e.isLink) || S_ISREG(e.status.st_mode) || e.error != 0;
    };

    std::int64_t count = 0;
    if (scope != Scope::LeadsTo) {
        for (const Entry& entry : sources) {
            if (isFileLike(entry) && entry.error == 0 && !linkExcluded(entry) && fileSelected(entry.name, sourcePath)) {
                ++count;
            }
        }
    }
    const bool isNew = !dest.existed;
    if (isNew && m_options.listOnly) {
        ++st.dirs.copied;
    }
    m_report.directory(isNew ? "New Dir" : "", count, sourcePath);
    if (isNew && m_options.emptyDirectories && !m_options.listOnly) {
        if (const int error = ensure(dest); error != 0) {
            m_report.error(error, "Creating Destination Directory", destPath);
            ++st.dirs.failed;
            anyFailure = true;
            return;
        }
    }

    const std::vector<Pair> pairs = pairByName(sources, dests);
    if (scope != Scope::LeadsTo) {
        for (const Pair& pair : pairs) {
            if (pair.source == nullptr && !S_ISDIR(pair.dest->status.st_mode)) {
                processExtraFile(dest, *pair.dest, sourcePath, destPath);
            }
        }
        std::vector<CopyTask> batch;
        for (const Pair& pair : pairs) {
            CopyTask task;
            if (pair.source == nullptr || !isFileLike(*pair.source) ||
                !prepareFile(dest, *pair.source, pair.dest, sourcePath, anyFailure, task)) {
                continue;
            }
            if (task.size < kProgressSize) {
                batch.push_back(task);
                if (batch.size() >= kBatchSize) {
                    copyBatch(sourceFd, dest, batch, sourcePath, anyFailure);
                }
                continue;
            }
            // A big file goes alone, with its progress figures, after the small ones before it.
            copyBatch(sourceFd, dest, batch, sourcePath, anyFailure);
            batch.push_back(task);
            if (!ensureForBatch(dest, batch, sourcePath, anyFailure)) {
                continue;
            }
            batch.clear();
            showFile(task, sourcePath);
            const auto started = std::chrono::steady_clock::now();
            task.error = attemptCopy(sourceFd, dest.fd, task, 0, false);
            task.seconds = secondsSince(started);
            finishFile(sourceFd, dest, task, sourcePath, anyFailure);
        }
        copyBatch(sourceFd, dest, batch, sourcePath, anyFailure);
    }

    std::vector<ChildPlan> plans;
    for (const Pair& pair : pairs) {
        const Entry* s = pair.source;
        if (s == nullptr || !S_ISDIR(s->status.st_mode) || s->error != 0 || linkExcluded(*s)) {
            continue;
        }
        bool enter = false;
        const Scope childScope = directoryScope(s->name, sourcePath, nullptr, scope, enter);
        if (!enter) {
            continue;
        }
        if (m_haveDestRoot && s->status.st_dev == m_destRootDev && s->status.st_ino == m_destRootIno) {
            continue; // the destination lies inside the source
        }
        if (std::find(m_ancestors.begin(), m_ancestors.end(), std::make_pair(s->status.st_dev, s->status.st_ino)) !=
            m_ancestors.end()) {
            m_report.note("\t  *LINK LOOP skipped\t" + sourcePath + s->name + "/");
            continue;
        }
        if (pair.dest != nullptr && !S_ISDIR(pair.dest->status.st_mode)) {
            ++st.dirs.total;
            ++st.dirs.mismatch;
            m_report.directory("*Mismatch", -1, sourcePath + s->name + "/");
            continue;
        }
        if (pair.dest != nullptr && pair.dest->status.st_dev == m_sourceRootDev &&
            pair.dest->status.st_ino == m_sourceRootIno) {
            // The source lies inside the destination under this very name: writing or purging there
            // would change the source itself.
            m_report.note("\t  *SOURCE skipped\t" + destPath + s->name + "/");
            continue;
        }
        if (m_options.recurse() && (m_options.levels == 0 || level < m_options.levels)) {
            plans.push_back(ChildPlan{s, pair.dest, childScope});
        }
    }
    // Folders are listed ahead a few at a time on both threads; a re-sync of an unchanged tree is
    // nothing but these listings.
    for (std::size_t first = 0; first < plans.size(); first += kListAhead) {
        const std::size_t chunk = std::min(kListAhead, plans.size() - first);
        std::vector<Listing> ahead(2 * chunk);
        m_worker.forEach(2 * chunk, [&](std::size_t i, int) {
            const ChildPlan& plan = plans[first + i / 2];
            if (plan.source->status.st_size > kListAheadFolderSize ||
                (plan.dest != nullptr && plan.dest->status.st_size > kListAheadFolderSize)) {
                ahead[i].error = EAGAIN; // read when entered
            } else if (i % 2 == 0) {
                listChild(sourceFd, plan.source->name, plan.source->isLink, !m_options.copyLinks, ahead[i]);
            } else if (plan.dest != nullptr) {
                listChild(dest.fd, plan.source->name, false, false, ahead[i]);
            }
        });
        for (std::size_t i = 0; i < chunk; ++i) {
            processChild(sourceFd, dest, plans[first + i], sourcePath, destPath, level, anyFailure, &ahead[2 * i],
                         &ahead[2 * i + 1]);
        }
    }

    for (const Pair& pair : pairs) {
        if (pair.source == nullptr && S_ISDIR(pair.dest->status.st_mode)) {
            processExtraDirectory(dest, *pair.dest, sourcePath, destPath, level, scope);
        }
    }
}

void TreeCopier::processChild(int sourceFd, DestDir& dest, const ChildPlan& plan, const std::string& sourcePath,
                              const std::string& destPath, int level, bool& anyFailure, Listing* sourceListing,
                              Listing* destListing) {
    Statistics& st = m_statistics;
    const Entry* s = plan.source;
    const std::string childSource = sourcePath + s->name + "/";
    const Descriptor childFd(
        ::openat(sourceFd, s->name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (s->isLink ? 0 : O_NOFOLLOW)));
    if (childFd.get() < 0) {
        m_report.error(errno, "Accessing Source Directory", childSource);
        ++st.dirs.total;
        ++st.dirs.failed;
        anyFailure = true;
        return;
    }
    DestDir child;
    child.parent = &dest;
    child.name = s->name;
    const std::string childDest = destPath + s->name + "/";
    if (plan.dest != nullptr) {
        child.fd = ::openat(dest.fd, s->name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child.fd < 0) {
            m_report.error(errno, "Accessing Destination Directory", childDest);
            ++st.dirs.total;
            ++st.dirs.failed;
            anyFailure = true;
            return;
        }
        child.existed = true;
        child.status = plan.dest->status;
    }
    m_ancestors.emplace_back(s->status.st_dev, s->status.st_ino);
    bool childFailure = false;
    processDirectory(childFd.get(), child, childSource, childDest, level + 1, plan.scope, childFailure, sourceListing,
                     destListing);
    m_ancestors.pop_back();
    if (child.fd >= 0) {
        if (!m_options.listOnly) {
            applyDirectoryMetadata(child.fd, s->status, child.created, m_options.copy.attributes,
                                   m_options.copyDirectoryTimes, m_umask);
        }
        ::close(child.fd);
    }
    anyFailure = anyFailure || childFailure;
    if (m_options.moveAll && !m_options.listOnly && !childFailure && !s->isLink) {
        (void)::unlinkat(sourceFd, s->name.c_str(), AT_REMOVEDIR); // stays when anything was left behind
    }
}

bool TreeCopier::prepareFile(DestDir& dest, const Entry& s, const Entry* d, const std::string& sourcePath,
                             bool& anyFailure, CopyTask& task) {
    if (linkExcluded(s) || !fileSelected(s.name, sourcePath)) {
        return false;
    }
    if (s.error != 0) {
        if (m_options.verbose) {
            m_report.file("*Dangling", 0, 0, shownName(sourcePath, s.name)); // a link to nothing
        }
        return false;
    }
    Statistics& st = m_statistics;
    const bool asLink = m_options.copyLinks && s.isLink;
    const auto size = static_cast<std::uint64_t>(std::max<off_t>(s.status.st_size, 0));
    const std::time_t modified = s.status.st_mtim.tv_sec;
    const auto shown = [&] { return shownName(sourcePath, s.name); };
    ++st.files.total;
    st.bytes.total += size;
    if (d != nullptr && !(asLink ? S_ISLNK(d->status.st_mode) : S_ISREG(d->status.st_mode))) {
        ++st.files.mismatch;
        st.bytes.mismatch += size;
        m_report.file("*Mismatch", size, modified, shown());
        return false;
    }
    const auto skip = [&](std::string_view kind) {
        ++st.files.skipped;
        st.bytes.skipped += size;
        if (m_options.verbose) {
            m_report.file(kind, size, modified, shown());
        }
    };
    if (const std::string_view excluded = sizeExclusion(size, m_options); !excluded.empty()) {
        skip(excluded);
        return false;
    }
    const FileClass fileClass = classify(s.status, d != nullptr ? &d->status : nullptr, m_options);
    if (!isSelected(fileClass, m_options)) {
        skip(fileClass == FileClass::New ? "lonely" : className(fileClass));
        return false;
    }
    const CopyFlags& flags = m_options.copy;
    const bool metadataOnly = !flags.data && !m_options.createOnly;
    if (metadataOnly && (d == nullptr || (!flags.attributes && !flags.times && !flags.owner && !flags.security))) {
        skip(""); // /NOCOPY, or metadata without data for a file that is not there
        return false;
    }
    if (m_options.listOnly) {
        m_report.file(className(fileClass), size, modified, shown());
        ++st.files.copied;
        st.bytes.copied += size;
        return false;
    }
    if (metadataOnly) {
        m_report.file(className(fileClass), size, modified, shown());
        const int error = copyMetadataAt(dest.fd, s.name, s.status, m_options.copy);
        if (error != 0) {
            m_report.error(error, "Copying File", sourcePath + s.name);
            ++st.files.failed;
            st.bytes.failed += size;
            anyFailure = true;
            return false;
        }
        ++st.files.copied;
        st.bytes.copied += size;
        return false;
    }
    task = CopyTask{&s, d, fileClass, size, 0, 0.0};
    return true;
}

int TreeCopier::attemptCopy(int sourceFd, int destFd, const CopyTask& task, int slot, bool recheck) const {
    // robocopy refuses to overwrite a read-only file; here that is a file without any write bit.
    // A later attempt looks again, as the file may have been made writable meanwhile.
    struct stat current {};
    const struct stat* target = task.dest != nullptr ? &task.dest->status : nullptr;
    if (recheck) {
        target = ::fstatat(destFd, task.source->name.c_str(), &current, AT_SYMLINK_NOFOLLOW) == 0 ? &current : nullptr;
    }
    if (target != nullptr && S_ISREG(target->st_mode) && (target->st_mode & 0222) == 0) {
        return EACCES;
    }
    CopyRequest request;
    request.sourceDirFd = sourceFd;
    request.source = task.source;
    request.destDirFd = destFd;
    request.name = &task.source->name;
    request.flags = m_options.copy;
    request.createOnly = m_options.createOnly;
    request.asLink = m_options.copyLinks && task.source->isLink;
    request.umask = m_umask;
    request.slot = slot;
    if (slot == 0 && task.size >= kProgressSize) {
        const std::uint64_t size = task.size;
        request.progress = [this, size](std::uint64_t done) { m_report.progress(done, size); };
    }
    return copyFileAt(request);
}

void TreeCopier::showFile(const CopyTask& task, const std::string& sourcePath) {
    m_report.file(className(task.fileClass), task.size, task.source->status.st_mtim.tv_sec,
                  shownName(sourcePath, task.source->name));
}

void TreeCopier::copyBatch(int sourceFd, DestDir& dest, std::vector<CopyTask>& batch, const std::string& sourcePath,
                           bool& anyFailure) {
    if (batch.empty() || !ensureForBatch(dest, batch, sourcePath, anyFailure)) {
        return;
    }
    // Small files are written by two threads at once; what they report is told afterwards, in order.
    m_worker.forEach(batch.size(), [&](std::size_t i, int slot) {
        const auto started = std::chrono::steady_clock::now();
        batch[i].error = attemptCopy(sourceFd, dest.fd, batch[i], slot, false);
        batch[i].seconds = secondsSince(started);
    });
    for (CopyTask& task : batch) {
        showFile(task, sourcePath);
        finishFile(sourceFd, dest, task, sourcePath, anyFailure);
    }
    batch.clear();
}

bool TreeCopier::ensureForBatch(DestDir& dest, std::vector<CopyTask>& batch, const std::string& sourcePath,
                                bool& anyFailure) {
    const int error = ensure(dest);
    if (error == 0) {
        return true;
    }
    // No retries: a folder that cannot be made will not appear by waiting.
    for (const CopyTask& task : batch) {
        showFile(task, sourcePath);
        m_report.error(error, "Creating Destination Directory", sourcePath);
        ++m_statistics.files.failed;
        m_statistics.bytes.failed += task.size;
    }
    anyFailure = true;
    batch.clear();
    return false;
}

void TreeCopier::finishFile(int sourceFd, DestDir& dest, CopyTask& task, const std::string& sourcePath,
                            bool& anyFailure) {
    Statistics& st = m_statistics;
    st.copySeconds += task.seconds;
    int error = task.error;
    for (int attempt = 0; error != 0; ++attempt) {
        m_report.error(error, "Copying File", sourcePath + task.source->name);
        if (!isRetryable(error)) {
            break;
        }
        if (attempt >= m_options.retries) {
            m_report.retryLimitExceeded();
            break;
        }
        m_report.waiting(m_options.waitSeconds);
        m_report.note("");
        std::this_thread::sleep_for(std::chrono::seconds(m_options.waitSeconds));
        st.failedSeconds += m_options.waitSeconds;
        const auto started = std::chrono::steady_clock::now();
        error = attemptCopy(sourceFd, dest.fd, task, 0, true);
        st.copySeconds += secondsSince(started);
    }
    if (error != 0) {
        ++st.files.failed;
        st.bytes.failed += task.size;
        anyFailure = true;
        return;
    }
    m_report.progressDone();
    ++st.files.copied;
    st.bytes.copied += task.size;
    if (m_options.moveFiles && ::unlinkat(sourceFd, task.source->name.c_str(), 0) != 0) {
        m_report.error(errno, "Deleting Source File", sourcePath + task.source->name);
    }
}

void TreeCopier::processExtraFile(DestDir& dest, const Entry& extra, const std::string& sourcePath,
                                  const std::string& destPath) {
    const auto size = static_cast<std::uint64_t>(std::max<off_t>(extra.status.st_size, 0));
    if (!fileSelected(extra.name, sourcePath, &destPath) || isProtected(extra.status)) {
        // Files the filters leave out are not the run's business: they stay, and /X only names them.
        if (m_options.reportExtras) {
            m_report.file("*EXTRA File", size, extra.status.st_mtim.tv_sec, shownName(destPath, extra.name));
        }
        return;
    }
    if (m_options.excludeExtra) {
        return;
    }
    ++m_statistics.files.extras;
    m_statistics.bytes.extras += size;
    m_report.file("*EXTRA File", size, extra.status.st_mtim.tv_sec, shownName(destPath, extra.name));
    if (m_options.purge && !m_options.listOnly && ::unlinkat(dest.fd, extra.name.c_str(), 0) != 0) {
        m_report.error(errno, "Deleting Extra File", destPath + extra.name);
    }
}

void TreeCopier::processExtraDirectory(DestDir& dest, const Entry& extra, const std::string& sourcePath,
                                       const std::string& destPath, int level, Scope scope) {
    bool enter = false;
    (void)directoryScope(extra.name, sourcePath, &destPath, scope, enter);
    if (!enter || m_options.excludeExtra || isProtected(extra.status)) {
        return;
    }
    if (level == 1 && equalsIgnoringCase(extra.name, "System Volume Information")) {
        return;
    }
    ++m_statistics.dirs.extras;
    m_report.directory("*EXTRA Dir", -1, destPath + extra.name + "/");
    if (m_options.purge && !m_options.listOnly) {
        if (const int error = removeTreeAt(dest.fd, extra.name); error != 0) {
            m_report.error(error, "Deleting Extra Directory", destPath + extra.name + "/");
        }
    }
}

} // namespace robocopy
