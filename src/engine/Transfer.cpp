// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Transfer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include "engine/Attributes.h"
#include "engine/Schedule.h"

namespace robocopy {

namespace {

// Files from this size on are copied alone and show progress figures.
constexpr std::uint64_t kProgressSize = std::uint64_t{1024} * 1024;
// Small files copied together between two reports; enough to keep both threads busy.
constexpr std::size_t kBatchSize = 64;
// With /MT, enough files between two reports that no thread waits long for the others.
constexpr std::size_t kFilesPerThread = 16;

// /M: the source is backed up now, so its archive bit goes.
void ClearArchive(const std::string& path, bool followLink) {
    const StoredAttributes stored = ReadDosAttribAt(path, followLink);
    if ((stored.bits & kAttrArchive) != 0) {
        (void)WriteDosAttribAt(path, followLink, stored.bits & ~kAttrArchive);
    }
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

Transfer::Transfer(const Options& options, Report& report, Statistics& statistics, Worker& worker, mode_t umask)
    : m_options(options), m_report(report), m_statistics(statistics), m_worker(worker), m_umask(umask) {}

void Transfer::add(Folder& folder, const CopyTask& task) {
    if (m_options.runHoursPerFile) {
        WaitForRunHours(m_options, m_report);
    }
    // With /MT big files are shared out like small ones, and no percentages are shown, as robocopy does.
    if (task.size < kProgressSize || parallel()) {
        m_batch.push_back(task);
        if (m_batch.size() >= std::max<std::size_t>(kBatchSize, kFilesPerThread * m_worker.threads())) {
            flush(folder);
        }
        return;
    }
    flush(folder);
    m_batch.push_back(task);
    if (!ensureForBatch(folder)) {
        return;
    }
    m_batch.clear();
    CopyTask big = task;
    show(folder, big);
    const auto started = std::chrono::steady_clock::now();
    big.error = attempt(folder, big, 0);
    m_statistics.copySeconds += SecondsSince(started);
    finish(folder, big);
}

void Transfer::flush(Folder& folder) {
    if (m_batch.empty() || !ensureForBatch(folder)) {
        return;
    }
    // The files are written by all threads at once; what they report is told afterwards, in order and
    // each file's lines together. The time counted is the time it took, not the sum over the threads,
    // which would let the copy time outgrow the run's.
    const auto started = std::chrono::steady_clock::now();
    m_worker.forEach(m_batch.size(),
                     [&](std::size_t i, int slot) { m_batch[i].error = attempt(folder, m_batch[i], slot); });
    m_statistics.copySeconds += SecondsSince(started);
    for (CopyTask& task : m_batch) {
        show(folder, task);
        finish(folder, task);
    }
    m_batch.clear();
}

void Transfer::copyMetadata(Folder& folder, const Entry& source) {
    const std::uint64_t size = SizeOf(source);
    if (const int error = CopyMetadataAt(folder.dest.fd, DestName(folder, source), source.status, m_options.copy);
        error != 0) {
        m_report.error(error, "Copying File", folder.sourcePath + source.name);
        ++m_statistics.files.failed;
        m_statistics.bytes.failed += size;
        folder.failed = true;
        return;
    }
    ++m_statistics.files.copied;
    m_statistics.bytes.copied += size;
}

void Transfer::removeMovedFolder(int parentFd, const Entry& folder) const {
    if (m_options.moveAll && !m_options.listOnly && !folder.isLink) {
        (void)::unlinkat(parentFd, folder.name.c_str(), AT_REMOVEDIR); // fails, as it should, when not empty
    }
}

int Transfer::attempt(const Folder& folder, CopyTask& task, int slot) const {
    // A read-only destination file is replaced like any other: the new file is renamed over it, which
    // needs no write permission on the old one, so a mirror of read-only files converges.
    CopyRequest request;
    request.sourceDirFd = folder.sourceFd;
    request.source = task.source;
    request.destDirFd = folder.dest.fd;
    request.name = &DestName(folder, *task.source);
    request.flags = m_options.copy;
    request.createOnly = m_options.createOnly;
    request.asLink = m_options.copyLinks && task.source->isLink;
    request.umask = m_umask;
    request.addAttributes = m_options.addAttributes;
    request.removeAttributes = m_options.removeAttributes;
    request.gapMilliseconds = m_options.gapMilliseconds;
    request.restartable = m_options.restartable;
    request.folderSetsGroup = folder.dest.setsGroup;
    request.slot = slot;
    request.copied = &task.copied;
    if (slot == 0 && task.size >= kProgressSize && !parallel()) {
        const std::uint64_t size = task.size;
        request.progress = [this, size](std::uint64_t done) { m_report.progress(done, size); };
    }
    return CopyFileAt(request);
}

void Transfer::show(const Folder& folder, const CopyTask& task) {
    m_report.file(task.label, task.size, task.source->status.st_mtim.tv_sec,
                  ShownName(m_options, folder.sourcePath, task.source->name));
}

bool Transfer::ensureForBatch(Folder& folder) {
    const int error = EnsureFolder(folder.dest, m_statistics.dirs);
    if (error == 0) {
        MakeWritable(folder.dest);
        return true;
    }
    // No retries: a folder that cannot be made will not appear by waiting.
    for (const CopyTask& task : m_batch) {
        show(folder, task);
        m_report.error(error, "Creating Destination Directory", folder.sourcePath);
        ++m_statistics.files.failed;
        m_statistics.bytes.failed += task.size;
    }
    folder.failed = true;
    m_batch.clear();
    return false;
}

void Transfer::finish(Folder& folder, CopyTask& task) {
    Statistics& st = m_statistics;
    int error = task.error;
    for (int attempts = 0; error != 0; ++attempts) {
        m_report.error(error, "Copying File", folder.sourcePath + task.source->name);
        if (!IsRetryable(error)) {
            break;
        }
        if (attempts >= m_options.retries) {
            m_report.retryLimitExceeded();
            break;
        }
        m_report.waiting(m_options.waitSeconds);
        std::this_thread::sleep_for(std::chrono::seconds(m_options.waitSeconds));
        st.failedSeconds += m_options.waitSeconds;
        const auto started = std::chrono::steady_clock::now();
        error = attempt(folder, task, 0);
        st.copySeconds += SecondsSince(started);
    }
    if (error != 0) {
        ++st.files.failed;
        st.bytes.failed += task.size;
        folder.failed = true;
        return;
    }
    if (!parallel()) {
        m_report.progressDone();
    }
    ++st.files.copied;
    st.bytes.copied += task.size;
    if (m_options.resetArchive) {
        ClearArchive(folder.sourcePath + task.source->name, task.source->isLink && !m_options.copyLinks);
    }
    // /CREATE leaves the data behind: the source is still its only copy.
    if (m_options.moveFiles && !m_options.createOnly && !folder.beyondLink) {
        removeMovedFile(folder, task);
    }
}

void Transfer::removeMovedFile(const Folder& folder, const CopyTask& task) const {
    // A file written to, or replaced, while it was copied holds what the copy lacks, so it stays. A
    // followed link is removed as a link: the name is what moved, its target stays where it is.
    const char* name = task.source->name.c_str();
    const bool followed = task.source->isLink && !m_options.copyLinks;
    struct stat now {};
    int error = ::fstatat(folder.sourceFd, name, &now, followed ? 0 : AT_SYMLINK_NOFOLLOW) != 0 ? errno : 0;
    if (error == 0 &&
        (now.st_dev != task.copied.st_dev || now.st_ino != task.copied.st_ino || now.st_size != task.copied.st_size ||
         now.st_mtim.tv_sec != task.copied.st_mtim.tv_sec || now.st_mtim.tv_nsec != task.copied.st_mtim.tv_nsec)) {
        error = EBUSY;
    }
    if (error == 0 && ::unlinkat(folder.sourceFd, name, 0) != 0) {
        error = errno;
    }
    if (error != 0) {
        m_report.error(error, "Deleting Source File", folder.sourcePath + task.source->name);
    }
}

} // namespace robocopy
