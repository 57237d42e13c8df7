// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/output/ProgressTracker.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "core/services/Format.h"
#include "core/services/Translate.h"

namespace talvex::output {

std::optional<double> Progress::fraction() const {
    const auto part = [](std::uint64_t done, std::uint64_t total) {
        return total == 0 ? 0.0 : std::min(1.0, static_cast<double>(done) / static_cast<double>(total));
    };
    if (bytesTotal > 0) {
        return part(bytesDone, bytesTotal);
    }
    if (filesTotal > 0) {
        return part(filesDone, filesTotal);
    }
    return std::nullopt;
}

void ProgressTracker::setTotals(std::uint64_t files, std::uint64_t bytes) {
    m_progress.filesTotal = files;
    m_progress.bytesTotal = bytes;
}

void ProgressTracker::addEvent(const Event& event) {
    switch (event.kind) {
    case EventKind::Percentage:
        if (!m_inFile) {
            return;
        }
        m_progress.currentPercent = event.percent;
        m_progress.bytesDone = m_bytesOfFinishedFiles +
                               static_cast<std::uint64_t>(static_cast<double>(m_currentSize) * event.percent / 100.0);
        if (event.percent >= 100.0) {
            finishFile();
        }
        return;
    case EventKind::Directory:
    case EventKind::ExtraDirectory:
        finishFile();
        m_progress.currentFile = event.text;
        return;
    case EventKind::FileStarted:
    case EventKind::ExtraFile:
        finishFile();
        if (event.kind == EventKind::FileStarted && IsCopiedFileClass(event.caption)) {
            m_inFile = true;
            m_currentSize = event.size.value_or(0);
            m_progress.currentFile = event.text;
        }
        return;
    default:
        return;
    }
}

void ProgressTracker::finish() {
    finishFile();
    m_progress.currentFile.clear();
}

void ProgressTracker::finishFile() {
    if (!m_inFile) {
        return;
    }
    m_inFile = false;
    ++m_progress.filesDone;
    m_bytesOfFinishedFiles += m_currentSize;
    m_progress.bytesDone = m_bytesOfFinishedFiles;
    m_progress.currentPercent.reset();
    m_currentSize = 0;
}

std::optional<std::chrono::seconds> EstimateTimeLeft(const Progress& progress, std::chrono::duration<double> elapsed) {
    const auto fraction = progress.fraction();
    if (!fraction || *fraction <= 0.0 || elapsed.count() <= 0.0) {
        return std::nullopt;
    }
    const double seconds = elapsed.count() * (1.0 - *fraction) / *fraction;
    return std::chrono::seconds(std::llround(seconds));
}

std::string TimeLeftText(std::chrono::seconds left) {
    const long long total = left.count() < 0 ? 0 : static_cast<long long>(left.count());
    std::array<char, 32> buffer{};
    if (total >= 3600) {
        std::snprintf(buffer.data(), buffer.size(), "%lld:%02lld:%02lld", total / 3600, total / 60 % 60, total % 60);
    } else if (total >= 60) {
        std::snprintf(buffer.data(), buffer.size(), "%lld:%02lld", total / 60, total % 60);
    } else {
        return Format(tr("noch %d s"), {std::to_string(total)});
    }
    return Format(tr("noch %s"), {buffer.data()});
}

std::string ProgressText(const Progress& progress, std::chrono::duration<double> elapsed) {
    std::string text =
        progress.filesTotal > 0
            ? Format(tr("%d von %d Dateien"), {std::to_string(progress.filesDone), std::to_string(progress.filesTotal)})
            : Format(tr("%d Dateien"), {std::to_string(progress.filesDone)});
    text += ", " + ByteCountText(progress.bytesDone);
    if (progress.bytesTotal > 0) {
        text += Format(tr(" von %s"), {ByteCountText(progress.bytesTotal)});
    }
    if (const auto left = EstimateTimeLeft(progress, elapsed)) {
        text += ", " + TimeLeftText(*left);
    }
    if (!progress.currentFile.empty()) {
        text += " — " + progress.currentFile;
    }
    return text;
}

std::string ByteCountText(std::uint64_t bytes) {
    if (bytes < 1024) {
        return Format(tr("%d Bytes"), {std::to_string(bytes)});
    }
    constexpr std::array<const char*, 5> kUnits = {"KB", "MB", "GB", "TB", "PB"};
    double value = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    while (value >= 1024.0 && unit + 1 < kUnits.size()) {
        value /= 1024.0;
        ++unit;
    }
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.1f", value);
    std::string text = buffer.data();
    if (const auto point = text.find('.'); point != std::string::npos) {
        text[point] = ',';
    }
    return text + " " + kUnits[unit];
}

} // namespace talvex::output
