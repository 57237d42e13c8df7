// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/PathFields.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <QWidget>
#include <filesystem>
#include <system_error>

#include "core/options/JobState.h"
#include "core/services/Format.h"
#include "core/services/PathDisplay.h"
#include "core/services/Paths.h"
#include "core/services/Translate.h"
#include "core/services/UserInterface.h"
#include "core/settings/PathSettings.h"
#include "gui/QtText.h"
#include "gui/dialogs/FontTextMeasurer.h"
#include "gui/jobwindow/Tfrm_Job.h"
#include "platform/Volumes.h"

namespace talvex::gui {

namespace {

using options::Control;

// The write warning is broken to this width in pixels of the dialog's font.
constexpr int kWarningWidth = 350;

bool FolderExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

} // namespace

PathFields::PathFields(options::JobState& state, const JobWindowServices& services, QWidget* window)
    : QObject(window), m_state(state), m_services(services), m_window(window), m_menu(new QMenu(window)) {
    m_menu->setObjectName(QStringLiteral("pmn_Historie"));
}

QToolButton* PathFields::button(const char* name) const {
    return m_window->findChild<QToolButton*>(QString::fromLatin1(name));
}

void PathFields::chooseSourceFolder() {
    const std::optional<std::string> chosen =
        m_services.userInterface.chooseFolder(talvex::tr("Quellverzeichnis auswählen"), "", false);
    if (!chosen) {
        return;
    }
    const std::string path(ExcludeTrailingSeparator(*chosen));
    m_state.applySourceFolder(path, m_services.volumes.fileSystemName(path));
    addToHistory(SourceHistory, path);
    refreshHistoryButtons();
}

void PathFields::chooseDestinationFolder() {
    const std::optional<std::string> chosen =
        m_services.userInterface.chooseFolder(talvex::tr("Zielverzeichnis auswählen"), "", true);
    if (!chosen) {
        return;
    }
    const std::string path(ExcludeTrailingSeparator(*chosen));
    bool accepted = m_services.volumes.canWriteInFolder(path);
    if (!accepted) {
        const std::string text = FitMessageAndPath(
            talvex::tr("Sie verfügen nicht über die Berechtigung zum Speichern in diesem Verzeichnis. "
                       "Diese Warnung ignorieren?"),
            path, kWarningWidth, FontTextMeasurer(m_window->font()));
        accepted = m_services.userInterface.showMessage(MessageKind::Warning, talvex::tr("Warnung"), text,
                                                        Buttons::YesNo) == Answer::Yes;
    }
    if (accepted) {
        m_state.applyDestinationFolder(path, m_services.volumes.fileSystemName(path));
    } else {
        m_state.runClickHandler(Control::chb_KCopy);
    }
    // The folder was chosen, so it is remembered even when the user kept the old destination.
    addToHistory(DestinationHistory, path);
    refreshHistoryButtons();
}

void PathFields::chooseImageFile() {
    FileDialogRequest request;
    request.title = talvex::tr("Imagedatei speichern unter...");
    request.filters.push_back({Format("%s (*.iso)", {talvex::tr("ISO-Imagedateien")}), {"*.iso"}});
    if (settings::PathSettings* paths = m_services.paths) {
        std::string folder = paths->ReadPathSetting("Image", "Pfad", true, settings::kNotAvailable);
        if (folder == settings::kNotAvailable) {
            folder = paths->settingsFolder();
        }
        request.initialFolder = FolderExists(folder) ? folder : m_services.documentsFolder;
    } else {
        request.initialFolder = m_services.documentsFolder;
    }
    const std::optional<FileDialogResult> chosen = m_services.userInterface.chooseFileToSave(request);
    if (!chosen || chosen->path.empty()) {
        return;
    }
    m_state.setText(Control::edt_IImage, chosen->path);
    if (m_services.paths != nullptr) {
        m_services.paths->acceptImageFile(chosen->path);
    }
}

void PathFields::chooseLogFile() {
    FileDialogRequest request;
    request.filters.push_back({talvex::tr("Logdateien") + " (*.log)", {"*.log"}});
    request.filters.push_back({talvex::tr("Alle Dateien") + " (*.*)", {"*"}});
    const std::string& current = m_state.text(Control::edt_LLOG);
    if (m_services.paths != nullptr) {
        request.initialFolder = m_services.paths->logFileDialogFolder(current, m_services.documentsFolder);
    } else {
        request.initialFolder = current.empty() ? m_services.documentsFolder : std::string(FolderPart(current));
    }
    const std::optional<FileDialogResult> chosen = m_services.userInterface.chooseFileToOpen(request);
    if (!chosen || chosen->path.empty()) {
        return;
    }
    const std::string logFile = m_services.paths != nullptr ? m_services.paths->acceptLogFile(chosen->path)
                                                            : settings::ReplaceExtension(chosen->path, ".log");
    m_state.setLogFile(logFile);
}

void PathFields::addToHistory(HistoryTag tag, const std::string& path) {
    if (m_services.paths == nullptr) {
        return;
    }
    const std::string_view section = tag == SourceHistory ? settings::kSourceHistory : settings::kDestinationHistory;
    m_services.paths->addToHistory(section, path, settings::HistoryKeeps::ExistingPaths);
}

void PathFields::refreshHistoryButtons() {
    settings::PathSettings* paths = m_services.paths;
    button("sbu_PHistorieSD")->setEnabled(paths != nullptr && paths->hasHistory(settings::kSourceHistory));
    button("sbu_PHistorieDD")->setEnabled(paths != nullptr && paths->hasHistory(settings::kDestinationHistory));
}

void PathFields::showHistory(HistoryTag tag) {
    m_menu->clear();
    settings::PathSettings* paths = m_services.paths;
    if (paths == nullptr) {
        return;
    }
    std::string_view section = settings::kImageHistory;
    Control field = Control::edt_IImage;
    const char* buttonName = "sbu_IImage";
    if (tag == SourceHistory) {
        section = settings::kSourceHistory;
        field = Control::edt_PSD;
        buttonName = "sbu_PHistorieSD";
    } else if (tag == DestinationHistory) {
        section = settings::kDestinationHistory;
        field = Control::edt_PDD;
        buttonName = "sbu_PHistorieDD";
    }
    // Folder histories end before the first folder that has gone; image files may not exist yet.
    const QString current = ToQ(m_state.text(field));
    for (const std::string& entry : paths->readHistory(section, tag != ImageHistory)) {
        const QString path = ToQ(entry);
        // "&" would become an accelerator mark in a menu text; the path itself travels as data.
        QAction* item = m_menu->addAction(QString(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setData(path);
        item->setCheckable(true);
        item->setChecked(!current.isEmpty() && path.compare(current, Qt::CaseInsensitive) == 0);
        connect(item, &QAction::triggered, this, [this, tag, entry] { applyHistoryItem(tag, entry); });
    }
    if (!m_menu->isEmpty()) {
        QToolButton* anchor = button(buttonName);
        m_menu->popup(anchor->mapToGlobal(QPoint(0, anchor->height())));
    }
}

void PathFields::applyHistoryItem(HistoryTag tag, const std::string& chosen) {
    const std::string path(ExcludeTrailingSeparator(chosen));
    switch (tag) {
    case SourceHistory:
        m_state.applySourceFolder(path, m_services.volumes.fileSystemName(path));
        break;
    case DestinationHistory:
        // A folder from the history was accepted before; it is not probed again.
        m_state.applyDestinationFolder(path, m_services.volumes.fileSystemName(path));
        break;
    case ImageHistory:
        m_state.setText(Control::edt_IImage, path);
        break;
    }
}

} // namespace talvex::gui
