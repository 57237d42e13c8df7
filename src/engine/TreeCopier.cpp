// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TreeCopier.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include "engine/Attributes.h"
#include "engine/Descriptor.h"
#include "engine/FatNames.h"
#include "engine/Restartable.h"

namespace robocopy {

namespace {

std::string WithSeparator(std::string path) {
    if (path.empty() || path.back() != '/') {
        path.push_back('/');
    }
    return path;
}

// Threads that list and write when /MT does not say: both wait on the file system (a disk, a share)
// more than they compute, and the waits of four overlap; on two cores they cost no more time than two.
constexpr int kThreadsWithoutMt = 4;
// Subfolders listed ahead at once: enough to share between the threads, few enough to keep memory small.
constexpr std::size_t kListAhead = 8;
// Folders larger than this (their own size grows with their entries) are not listed ahead, so that
// memory stays bounded however wide a tree is.
constexpr off_t kListAheadFolderSize = off_t{64} * 1024;

std::uint32_t AttributesOf(const std::string& dirPath, const Entry& entry) {
    return FileAttributes(entry.name, entry.status.st_mode, ReadDosAttribAt(dirPath + entry.name, entry.isLink).bits);
}

// A partial file of /Z is kept for the next restartable run while a source entry still has its name.
bool PartialAwaited(const Folder& folder, const std::string& partial) {
    return std::ranges::any_of(folder.sourceListing.entries, [&folder, &partial](const Entry& source) {
        return PartialName(DestName(folder, source)) == partial;
    });
}

void RemoveStrayTemporaries(Folder& folder, bool restartable) {
    // Left by an engine that was killed: no run would ever remove them, and each would count as extra.
    // A partial file of /Z waits for the next restartable run, unseen, unless its source is gone; a run
    // without /Z writes afresh.
    std::vector<Entry>& entries = folder.destListing.entries;
    const auto stray = [&folder, restartable](const Entry& entry) {
        if (S_ISDIR(entry.status.st_mode)) {
            return false;
        }
        const bool partial = IsPartial(entry.name);
        if (partial && restartable && PartialAwaited(folder, entry.name)) {
            return true;
        }
        return (partial || IsStrayTemporary(entry.name)) && ::unlinkat(folder.dest.fd, entry.name.c_str(), 0) == 0;
    };
    entries.erase(std::remove_if(entries.begin(), entries.end(), stray), entries.end());
}

} // namespace

TreeCopier::TreeCopier(const Options& options, Report& report, Statistics& statistics)
    : m_options(options), m_report(report), m_statistics(statistics), m_umask(::umask(0)),
      m_worker(options.threads > 0 ? options.threads : kThreadsWithoutMt),
      m_transfer(options, report, statistics, m_worker, m_umask) {
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

bool TreeCopier::isProtected(const Status& status) const {
    return std::find(m_protected.begin(), m_protected.end(), Identity(status.st_dev, status.st_ino)) !=
           m_protected.end();
}

bool TreeCopier::waitForRoot(int error, std::string_view action, const std::string& path, int& attempts) {
    m_report.error(error, action, WithSeparator(path));
    // /TBD: a share that is not there yet, or not yet mounted, may come; any other run ends here.
    if (!m_options.waitForShares || attempts++ >= m_options.retries) {
        return false;
    }
    m_report.waiting(m_options.waitSeconds);
    std::this_thread::sleep_for(std::chrono::seconds(m_options.waitSeconds));
    return true;
}

bool TreeCopier::run() {
    int attempts = 0;
    int sourceFd = -1;
    struct stat sourceStatus {};
    while ((sourceFd = ::open(m_options.source.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) < 0) {
        if (!waitForRoot(errno, "Accessing Source Directory", m_options.source, attempts)) {
            return false;
        }
    }
    const Descriptor source(sourceFd);
    if (::fstat(source.get(), &sourceStatus) != 0) {
        m_report.error(errno, "Accessing Source Directory", WithSeparator(m_options.source));
        return false;
    }
    // The source and the folders above it are never purged, for a source that lies inside the destination.
    protectWithAncestors(m_options.source);
    if (m_options.usesAttributes()) {
        // Files only read them when they list them, so a file system without them is found here.
        (void)ReadDosAttrib(source.get());
    }

    Folder root;
    for (int error = 0; (error = openDestinationRoot(root.dest)) != 0;) {
        if (!waitForRoot(error, "Creating Destination Directory", m_options.destination, attempts)) {
            return false;
        }
    }
    m_ancestors.emplace_back(sourceStatus.st_dev, sourceStatus.st_ino);
    m_sourceRoot = Identity(sourceStatus.st_dev, sourceStatus.st_ino);
    root.sourceFd = source.get();
    root.sourcePath = WithSeparator(m_options.source);
    root.destPath = WithSeparator(m_options.destination);
    walk(root);
    if (AttributesUnsupportedSeen()) {
        m_report.note("  Warning : no user extended attributes here: DOS attributes count as absent.");
    }
    if (root.dest.fd >= 0 && !m_options.listOnly) {
        ApplyDirectoryMetadata(folderMetadata(root.dest, source.get(), sourceStatus));
        RestoreMode(root.dest, m_options.copy.attributes);
    }
    return true;
}

int TreeCopier::openDestinationRoot(DestDir& root) {
    const char* path = m_options.destination.c_str();
    root.fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root.fd < 0 && errno == ENOENT && !m_options.listOnly) {
        std::error_code error;
        std::filesystem::create_directories(m_options.destination, error);
        root.fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (root.fd >= 0) {
            root.created = true;
            ++m_statistics.dirs.copied;
        }
    }
    if (const int error = errno; root.fd < 0 && !(m_options.listOnly && error == ENOENT)) {
        return error;
    }
    root.existed = root.fd >= 0 && !root.created;
    struct stat status {};
    if (root.fd >= 0 && ::fstat(root.fd, &status) == 0) {
        m_destRoot = Identity(status.st_dev, status.st_ino);
        m_haveDestRoot = true;
    }
    return 0;
}

DirectoryMetadata TreeCopier::folderMetadata(const DestDir& dest, int sourceFd, const Status& source) const {
    return DirectoryMetadata{dest.fd, sourceFd, &source, dest.created, m_options.copy, m_options.copyDirectoryTimes,
                             m_umask};
}

void TreeCopier::walk(Folder& folder) {
    ++m_statistics.dirs.total;
    if (m_limitReached || !readListings(folder) || !announce(folder)) {
        return;
    }
    const std::vector<Pair> pairs = pairUp(folder);
    if (folder.scope != Scope::LeadsTo) {
        handleFiles(folder, pairs);
    }
    enterChildren(folder, planChildren(folder, pairs));
    for (const Pair& pair : pairs) {
        if (pair.source == nullptr && S_ISDIR(pair.dest->status.st_mode) && !m_limitReached) {
            handleExtraFolder(folder, *pair.dest);
        }
    }
}

std::vector<TreeCopier::Pair> TreeCopier::pairUp(const Folder& folder) const {
    const std::vector<Entry>& dests = folder.destListing.entries;
    std::vector<const Entry*> sources;
    sources.reserve(folder.sourceListing.entries.size());
    for (const Entry& entry : folder.sourceListing.entries) {
        sources.push_back(&entry);
    }
    if (m_options.fatNames) {
        std::sort(sources.begin(), sources.end(),
                  [&folder](const Entry* a, const Entry* b) { return DestName(folder, *a) < DestName(folder, *b); });
    }
    std::vector<Pair> pairs;
    pairs.reserve(std::max(sources.size(), dests.size()));
    for (std::size_t i = 0, j = 0; i < sources.size() || j < dests.size();) {
        if (j == dests.size() || (i < sources.size() && DestName(folder, *sources[i]) < dests[j].name)) {
            pairs.push_back(Pair{sources[i++], nullptr});
        } else if (i == sources.size() || dests[j].name < DestName(folder, *sources[i])) {
            pairs.push_back(Pair{nullptr, &dests[j++]});
        } else {
            pairs.push_back(Pair{sources[i++], &dests[j++]});
        }
    }
    return pairs;
}

bool TreeCopier::readListings(Folder& folder) {
    struct stat sourceStatus {};
    struct stat destStatus {};
    const bool haveDest = folder.dest.fd >= 0;
    if (::fstat(folder.sourceFd, &sourceStatus) != 0 || (haveDest && ::fstat(folder.dest.fd, &destStatus) != 0)) {
        failFolder(folder, errno, "Accessing Source Directory", folder.sourcePath);
        return false;
    }
    if (haveDest && sourceStatus.st_dev == destStatus.st_dev && sourceStatus.st_ino == destStatus.st_ino) {
        // Copying a folder onto itself would let /MOV delete the only copy.
        failFolder(folder, EINVAL, "Source and Destination are the same folder", folder.sourcePath);
        return false;
    }
    const auto fits = [&folder](const Listing& listing, const struct stat& status) {
        return folder.readAhead && listing.error == 0 && listing.device == status.st_dev &&
               listing.inode == status.st_ino;
    };
    const bool readSource = !fits(folder.sourceListing, sourceStatus);
    const bool readDest = haveDest && !fits(folder.destListing, destStatus);
    const auto read = [&](std::size_t i, int) {
        if (i == 0) {
            folder.sourceListing.error =
                ReadEntries(folder.sourceFd, !m_options.copyLinks, folder.sourceListing.entries);
        } else {
            folder.destListing.error = ReadEntries(folder.dest.fd, false, folder.destListing.entries);
        }
    };
    if (readSource && readDest) {
        m_worker.forEach(2, read);
    } else if (readSource || readDest) {
        read(readSource ? 0 : 1, 0); // waking the worker for one listing costs more than it saves
    }
    if (!haveDest) {
        folder.destListing = Listing{};
    }
    if (folder.sourceListing.error != 0) {
        // Nothing is purged here: a folder that cannot be read must not look empty.
        failFolder(folder, folder.sourceListing.error, "Accessing Source Directory", folder.sourcePath);
        return false;
    }
    if (folder.destListing.error != 0) {
        failFolder(folder, folder.destListing.error, "Accessing Destination Directory", folder.destPath);
        return false;
    }
    if (m_options.fatNames) {
        folder.destNames = FatNames(folder.sourceListing.entries);
    }
    if (!m_options.listOnly) {
        RemoveStrayTemporaries(folder, m_options.restartable);
    }
    return true;
}

bool TreeCopier::announce(Folder& folder) {
    std::int64_t count = 0;
    std::uint64_t bytes = 0;
    if (folder.scope != Scope::LeadsTo) {
        for (const Entry& entry : folder.sourceListing.entries) {
            if (entry.error == 0 && IsCandidateFile(entry, folder.sourcePath, m_options)) {
                ++count;
                bytes += SizeOf(entry);
            }
        }
    }
    const bool isNew = !folder.dest.existed;
    if (isNew && m_options.listOnly) {
        ++m_statistics.dirs.copied;
    }
    m_report.directory(isNew ? "New Dir" : "", count, folder.sourcePath);
    if (isNew && m_options.emptyDirectories && !m_options.listOnly) {
        if (const int error = EnsureFolder(folder.dest, m_statistics.dirs); error != 0) {
            failFolder(folder, error, "Creating Destination Directory", folder.destPath);
            // Its files cannot be copied either; the summary must not make the loss look smaller.
            Statistics& st = m_statistics;
            st.files.total += static_cast<std::uint64_t>(count);
            st.files.failed += static_cast<std::uint64_t>(count);
            st.bytes.total += bytes;
            st.bytes.failed += bytes;
            return false;
        }
    }
    return true;
}

void TreeCopier::failFolder(Folder& folder, int error, std::string_view action, const std::string& path) {
    m_report.error(error, action, path);
    ++m_statistics.dirs.failed;
    folder.failed = true;
}

void TreeCopier::handleFiles(Folder& folder, const std::vector<Pair>& pairs) {
    for (const Pair& pair : pairs) {
        if (pair.source == nullptr && !S_ISDIR(pair.dest->status.st_mode) && !m_limitReached) {
            handleExtraFile(folder, *pair.dest);
        }
    }
    for (const Pair& pair : pairs) {
        if (pair.source != nullptr && !m_limitReached) {
            handleFile(folder, *pair.source, pair.dest);
        }
    }
    m_transfer.flush(folder);
}

void TreeCopier::handleFile(Folder& folder, const Entry& source, const Entry* dest) {
    if (isProtected(source.status) && !S_ISDIR(source.status.st_mode)) {
        return; // the open log file: copying it would catch it half-written, moving it would empty it
    }
    if (m_options.selectsByAttributes() && !S_ISDIR(source.status.st_mode) &&
        !AttributesSelected(AttributesOf(folder.sourcePath, source), m_options)) {
        return;
    }
    Decision decision = DecideFile(source, dest, folder.sourcePath, m_options);
    if (decision.action == Action::Replace && isProtected(dest->status)) {
        decision.action = Action::Mismatch;
    }
    if (decision.action == Action::Replace) {
        if (!replaceMismatch(folder, *dest)) {
            return;
        }
        dest = nullptr;
        decision = DecideFile(source, nullptr, folder.sourcePath, m_options);
    }
    const auto show = [&](std::uint64_t size, std::time_t modified) {
        m_report.file(decision.label, size, modified, ShownName(m_options, folder.sourcePath, source.name));
    };
    if (decision.action == Action::Ignore) {
        return;
    }
    if (decision.action == Action::Dangling) {
        if (m_options.verbose) {
            show(0, 0);
        }
        return;
    }
    Statistics& st = m_statistics;
    const std::uint64_t size = SizeOf(source);
    const std::time_t modified = source.status.st_mtim.tv_sec;
    ++st.files.total;
    st.bytes.total += size;
    switch (decision.action) {
    case Action::Mismatch:
        ++st.files.mismatch;
        st.bytes.mismatch += size;
        show(size, modified);
        break;
    case Action::Unsupported:
        ++st.files.skipped;
        st.bytes.skipped += size;
        show(size, modified);
        break;
    case Action::Skip:
        ++st.files.skipped;
        st.bytes.skipped += size;
        if (m_options.verbose) {
            show(size, modified);
        }
        break;
    case Action::List:
        show(size, modified);
        ++st.files.copied;
        st.bytes.copied += size;
        break;
    case Action::Metadata:
        show(size, modified);
        m_transfer.copyMetadata(folder, source);
        break;
    case Action::Copy:
        m_transfer.add(folder, CopyTask{&source, dest, decision.label, size, 0});
        break;
    default:
        break;
    }
}

void TreeCopier::handleExtraFile(Folder& folder, const Entry& extra) {
    const Decision decision =
        DecideExtraFile(extra, folder.sourcePath, folder.destPath, isProtected(extra.status), m_options);
    if (decision.action == Action::Ignore) {
        return;
    }
    const std::uint64_t size = SizeOf(extra);
    m_report.file(decision.label, size, extra.status.st_mtim.tv_sec, ShownName(m_options, folder.destPath, extra.name));
    if (decision.action == Action::Name) {
        return;
    }
    ++m_statistics.files.extras;
    m_statistics.bytes.extras += size;
    if (decision.action == Action::Purge && mayDelete(1, folder.destPath + extra.name)) {
        (void)purge(folder, extra);
    }
}

bool TreeCopier::purge(Folder& folder, const Entry& extra) {
    MakeWritable(folder.dest);
    const int error = RemoveEntryAt(folder.dest.fd, extra);
    if (error == 0) {
        return true;
    }
    // A destination that keeps what should have gone is no mirror: that is a failure, not a success.
    const bool isDir = S_ISDIR(extra.status.st_mode) && !extra.isLink;
    m_report.error(error, isDir ? "Deleting Extra Directory" : "Deleting Extra File",
                   folder.destPath + extra.name + (isDir ? "/" : ""));
    Counts& counts = isDir ? m_statistics.dirs : m_statistics.files;
    ++counts.failed;
    if (!isDir) {
        m_statistics.bytes.failed += SizeOf(extra);
    }
    folder.failed = true;
    return false;
}

bool TreeCopier::replaceMismatch(Folder& folder, const Entry& dest) {
    const bool isDir = S_ISDIR(dest.status.st_mode);
    if (isDir) {
        ++m_statistics.dirs.extras;
        m_report.directory("*EXTRA Dir", -1, folder.destPath + dest.name + "/");
    } else {
        ++m_statistics.files.extras;
        m_statistics.bytes.extras += SizeOf(dest);
        m_report.file("*EXTRA File", SizeOf(dest), dest.status.st_mtim.tv_sec,
                      ShownName(m_options, folder.destPath, dest.name));
    }
    const std::uint64_t entries = isDir && m_options.maxDeletions ? CountTreeAt(folder.dest.fd, dest.name) : 1;
    return mayDelete(entries, folder.destPath + dest.name) && purge(folder, dest);
}

bool TreeCopier::mayDelete(std::uint64_t entries, const std::string& path) {
    if (!m_options.maxDeletions) {
        return true;
    }
    if (m_deleted + entries <= *m_options.maxDeletions) {
        m_deleted += entries;
        return true;
    }
    m_limitReached = true;
    m_report.limitReached(*m_options.maxDeletions, m_deleted, entries, path);
    return false;
}

std::vector<TreeCopier::ChildPlan> TreeCopier::planChildren(Folder& folder, const std::vector<Pair>& pairs) {
    std::vector<ChildPlan> plans;
    for (const Pair& pair : pairs) {
        if (pair.source == nullptr) {
            continue;
        }
        const Entry& source = *pair.source;
        Decision decision = DecideFolder(source, pair.dest, folder.sourcePath, folder.level, folder.scope, m_options);
        const Entry* dest = pair.dest;
        const Identity identity(source.status.st_dev, source.status.st_ino);
        if (decision.action == Action::Ignore || (m_haveDestRoot && identity == m_destRoot)) {
            continue; // filtered out, or the destination lies inside the source
        }
        if (std::find(m_ancestors.begin(), m_ancestors.end(), identity) != m_ancestors.end()) {
            m_report.notePath("*LINK LOOP skipped", folder.sourcePath + source.name + "/");
            continue;
        }
        if (decision.action == Action::Replace && !isProtected(dest->status)) {
            if (!replaceMismatch(folder, *dest)) {
                continue;
            }
            decision.action = Action::Enter;
            dest = nullptr;
        }
        if (decision.action == Action::Mismatch || decision.action == Action::Replace) {
            ++m_statistics.dirs.total;
            ++m_statistics.dirs.mismatch;
            m_report.directory(decision.label, -1, folder.sourcePath + source.name + "/");
            continue;
        }
        if (dest != nullptr && Identity(dest->status.st_dev, dest->status.st_ino) == m_sourceRoot) {
            // The source lies inside the destination under this very name: writing or purging there
            // would change the source itself.
            m_report.notePath("*SOURCE skipped", folder.destPath + source.name + "/");
            continue;
        }
        if (decision.action == Action::Enter) {
            plans.push_back(ChildPlan{&source, dest, decision.scope});
        }
    }
    return plans;
}

void TreeCopier::enterChildren(Folder& folder, const std::vector<ChildPlan>& plans) {
    // Folders are listed ahead a few at a time on both threads; a re-sync of an unchanged tree is
    // nothing but these listings.
    for (std::size_t first = 0; first < plans.size() && !m_limitReached; first += kListAhead) {
        const std::size_t chunk = std::min(kListAhead, plans.size() - first);
        std::vector<Listing> ahead(2 * chunk);
        m_worker.forEach(2 * chunk, [&](std::size_t i, int) {
            const ChildPlan& plan = plans[first + i / 2];
            if (plan.source->status.st_size > kListAheadFolderSize ||
                (plan.dest != nullptr && plan.dest->status.st_size > kListAheadFolderSize)) {
                ahead[i].error = EAGAIN; // read when entered
            } else if (i % 2 == 0) {
                ListChild(folder.sourceFd, plan.source->name, plan.source->isLink, !m_options.copyLinks, ahead[i]);
            } else if (plan.dest != nullptr) {
                ListChild(folder.dest.fd, DestName(folder, *plan.source), false, false, ahead[i]);
            }
        });
        for (std::size_t i = 0; i < chunk; ++i) {
            enterChild(folder, plans[first + i], ahead[2 * i], ahead[2 * i + 1]);
        }
    }
}

void TreeCopier::enterChild(Folder& folder, const ChildPlan& plan, Listing& sourceListing, Listing& destListing) {
    const Entry& source = *plan.source;
    Folder child;
    child.sourcePath = folder.sourcePath + source.name + "/";
    const std::string& destName = DestName(folder, source);
    child.destPath = folder.destPath + destName + "/";
    const Descriptor sourceFd(::openat(folder.sourceFd, source.name.c_str(),
                                       O_RDONLY | O_DIRECTORY | O_CLOEXEC | (source.isLink ? 0 : O_NOFOLLOW)));
    if (sourceFd.get() < 0) {
        ++m_statistics.dirs.total;
        failFolder(folder, errno, "Accessing Source Directory", child.sourcePath);
        return;
    }
    child.sourceFd = sourceFd.get();
    child.dest.parent = &folder.dest;
    child.dest.name = destName;
    if (plan.dest != nullptr) {
        child.dest.fd = ::openat(folder.dest.fd, destName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child.dest.fd < 0) {
            ++m_statistics.dirs.total;
            failFolder(folder, errno, "Accessing Destination Directory", child.destPath);
            return;
        }
        child.dest.existed = true;
    }
    child.level = folder.level + 1;
    child.scope = plan.scope;
    child.sourceListing = std::move(sourceListing);
    child.destListing = std::move(destListing);
    child.readAhead = true;
    child.beyondLink = folder.beyondLink || source.isLink;
    if (m_options.moveFiles && source.isLink && !folder.beyondLink) {
        m_report.notePath("*LINK copied, not moved", child.sourcePath);
    }
    m_ancestors.emplace_back(source.status.st_dev, source.status.st_ino);
    walk(child);
    m_ancestors.pop_back();
    if (child.dest.fd >= 0 && !m_options.listOnly) {
        ApplyDirectoryMetadata(folderMetadata(child.dest, child.sourceFd, source.status));
        RestoreMode(child.dest, m_options.copy.attributes);
    }
    folder.failed = folder.failed || child.failed;
    if (!child.failed && !folder.beyondLink) {
        m_transfer.removeMovedFolder(folder.sourceFd, source);
    }
}

void TreeCopier::handleExtraFolder(Folder& folder, const Entry& extra) {
    const Decision decision = DecideExtraFolder(extra, folder.sourcePath, folder.destPath, folder.level, folder.scope,
                                                isProtected(extra.status), m_options);
    if (decision.action == Action::Ignore) {
        return;
    }
    ++m_statistics.dirs.extras;
    m_report.directory(decision.label, -1, folder.destPath + extra.name + "/");
    if (decision.action == Action::Purge &&
        mayDelete(m_options.maxDeletions ? CountTreeAt(folder.dest.fd, extra.name) : 1, folder.destPath + extra.name)) {
        (void)purge(folder, extra);
    }
}

} // namespace robocopy
