// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/PathFieldRules.h"

#include <optional>
#include <utility>

#include "core/services/Format.h"
#include "core/services/Paths.h"
#include "core/services/Translate.h"
#include "platform/PathQueries.h"

namespace talvex::workspace {

namespace {

using options::Control;

// The write warning is broken to this width in pixels of the dialog's font.
constexpr int kWarningWidth = 350;

std::string_view Section(PathHistory history) {
    switch (history) {
    case PathHistory::Source:
        return settings::kSourceHistory;
    case PathHistory::Destination:
        return settings::kDestinationHistory;
    case PathHistory::Image:
        break;
    }
    return settings::kImageHistory;
}

} // namespace

PathFieldRules::PathFieldRules(options::JobState& job, PathFieldServices services)
    : m_job(job), m_services(std::move(services)) {}

void PathFieldRules::chooseSourceFolder() {
    const std::optional<std::string> chosen = m_services.ui.chooseFolder(tr("Quellverzeichnis auswählen"), "", false);
    if (chosen) {
        takeSourceFolder(*chosen);
    }
}

void PathFieldRules::takeSourceFolder(const std::string& folder) {
    const std::string path(ExcludeTrailingSeparator(folder));
    m_job.applySourceFolder(path, m_services.volumes.fileSystemName(path));
    remember(settings::kSourceHistory, path);
}

void PathFieldRules::chooseDestinationFolder(const TextMeasurer& measurer) {
    const std::optional<std::string> chosen = m_services.ui.chooseFolder(tr("Zielverzeichnis auswählen"), "", true);
    if (!chosen) {
        return;
    }
    const std::string path(ExcludeTrailingSeparator(*chosen));
    if (mayWriteIn(path, measurer)) {
        m_job.applyDestinationFolder(path, m_services.volumes.fileSystemName(path));
    } else {
        m_job.runClickHandler(Control::chb_KCopy);
    }
    // The folder was chosen, so it is remembered even when the user kept the old destination.
    remember(settings::kDestinationHistory, path);
}

bool PathFieldRules::takeDestinationFolder(const std::string& folder, const TextMeasurer& measurer) {
    const std::string path(ExcludeTrailingSeparator(folder));
    if (!mayWriteIn(path, measurer)) {
        return false;
    }
    m_job.applyDestinationFolder(path, m_services.volumes.fileSystemName(path));
    remember(settings::kDestinationHistory, path);
    return true;
}

bool PathFieldRules::swapFolders(const TextMeasurer& measurer) {
    const std::string source = m_job.sourcePath();
    const std::string destination = m_job.destinationPath();
    if (!source.empty() && !mayWriteIn(source, measurer)) {
        return false;
    }
    m_job.applySourceFolder(destination, m_services.volumes.fileSystemName(destination));
    m_job.applyDestinationFolder(source, m_services.volumes.fileSystemName(source));
    return true;
}

bool PathFieldRules::mayWriteIn(const std::string& folder, const TextMeasurer& measurer) {
    if (m_services.volumes.canWriteInFolder(folder)) {
        return true;
    }
    const std::string text = FitMessageAndPath(tr("Sie verfügen nicht über die Berechtigung zum Speichern in "
                                                  "diesem Verzeichnis. Diese Warnung ignorieren?"),
                                               folder, kWarningWidth, measurer);
    return m_services.ui.showMessage(MessageKind::Warning, tr("Warnung"), text, Buttons::YesNo) == Answer::Yes;
}

void PathFieldRules::remember(std::string_view history, const std::string& folder) {
    if (m_services.paths != nullptr) {
        m_services.paths->addToHistory(history, folder, settings::HistoryKeeps::ExistingPaths);
    }
}

void PathFieldRules::chooseImageFile() {
    FileDialogRequest request;
    request.title = tr("Imagedatei speichern unter...");
    request.filters.push_back({Format("%s (*.iso)", {tr("ISO-Imagedateien")}), {"*.iso"}});
    request.initialFolder = m_services.documentsFolder;
    if (settings::PathSettings* paths = m_services.paths) {
        std::string folder = paths->ReadPathSetting("Image", "Pfad", true, settings::kNotAvailable);
        if (folder == settings::kNotAvailable) {
            folder = paths->settingsFolder();
        }
        if (platform::IsFolder(folder)) {
            request.initialFolder = folder;
        }
    }
    const std::optional<FileDialogResult> chosen = m_services.ui.chooseFileToSave(request);
    if (!chosen || chosen->path.empty()) {
        return;
    }
    m_job.setText(Control::edt_IImage, chosen->path);
    if (m_services.paths != nullptr) {
        m_services.paths->acceptImageFile(chosen->path);
    }
}

void PathFieldRules::chooseLogFile() {
    FileDialogRequest request;
    request.filters.push_back({tr("Logdateien") + " (*.log)", {"*.log"}});
    request.filters.push_back({tr("Alle Dateien") + " (*.*)", {"*"}});
    const std::string& current = m_job.text(Control::edt_LLOG);
    if (m_services.paths != nullptr) {
        request.initialFolder = m_services.paths->logFileDialogFolder(current, m_services.documentsFolder);
    } else {
        request.initialFolder = current.empty() ? m_services.documentsFolder : std::string(FolderPart(current));
    }
    // A log file is usually made by the run it names: the chooser must take a name that does not
    // exist yet. Robocopy appends to or replaces the file as the switch says, so no overwrite question.
    const std::optional<FileDialogResult> chosen = m_services.ui.chooseFileToSave(request);
    if (!chosen || chosen->path.empty()) {
        return;
    }
    m_job.setLogFile(m_services.paths != nullptr ? m_services.paths->acceptLogFile(chosen->path)
                                                 : settings::ReplaceExtension(chosen->path, ".log"));
}

bool PathFieldRules::hasHistory(PathHistory history) const {
    return m_services.paths != nullptr && m_services.paths->hasHistory(Section(history));
}

std::vector<std::string> PathFieldRules::historyEntries(PathHistory history) const {
    if (m_services.paths == nullptr) {
        return {};
    }
    return m_services.paths->readHistory(Section(history), history != PathHistory::Image);
}

options::Control PathFieldRules::Field(PathHistory history) {
    switch (history) {
    case PathHistory::Source:
        return Control::edt_PSD;
    case PathHistory::Destination:
        return Control::edt_PDD;
    case PathHistory::Image:
        break;
    }
    return Control::edt_IImage;
}

void PathFieldRules::applyHistoryItem(PathHistory history, const std::string& entry) {
    const std::string path(ExcludeTrailingSeparator(entry));
    switch (history) {
    case PathHistory::Source:
        m_job.applySourceFolder(path, m_services.volumes.fileSystemName(path));
        break;
    case PathHistory::Destination:
        m_job.applyDestinationFolder(path, m_services.volumes.fileSystemName(path));
        break;
    case PathHistory::Image:
        m_job.setText(Control::edt_IImage, path);
        break;
    }
}

} // namespace talvex::workspace
