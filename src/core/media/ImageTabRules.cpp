// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/media/ImageTabRules.h"

#include <utility>

#include "core/options/OptionCatalogue.h"
#include "core/services/Paths.h"
#include "core/services/Translate.h"
#include "platform/PathQueries.h"
#include "platform/ProgramSearch.h"
#include "platform/SystemNames.h"

namespace talvex::media {
namespace {

using options::Control;

// "mkisofs.exe" where the program has one name, "mkisofs (mkisofs genisoimage xorrisofs)" where
// it has several.
FileFilter MkisofsFilter() {
    FileFilter filter;
    for (const std::string_view name : platform::kMkisofsFileNames) {
        filter.patterns.emplace_back(name);
    }
    filter.caption = filter.patterns.front();
    if (filter.patterns.size() > 1) {
        filter.caption = "mkisofs (";
        for (const std::string& pattern : filter.patterns) {
            filter.caption += (&pattern == &filter.patterns.front() ? "" : " ") + pattern;
        }
        filter.caption += ")";
    }
    return filter;
}

} // namespace

const std::vector<std::string>& SpeedEntries() {
    static const std::vector<std::string> entries = {"1",  "2",  "4",  "8",  "12", "16",
                                                     "24", "32", "40", "48", "52", "Max"};
    return entries;
}

ImageTabRules::ImageTabRules(options::JobState& job, ImageTabServices services)
    : m_job(job), m_services(std::move(services)) {}

bool ImageTabRules::mkisofsChosen() const {
    return platform::IsRegularFile(m_job.text(Control::edt_Imkisofs));
}

std::string ImageTabRules::readSetting(std::string_view section, std::string_view key) const {
    return m_services.store != nullptr ? m_services.store->readString(section, key, "") : std::string();
}

void ImageTabRules::refreshHistoryButton() {
    const bool history = m_services.paths != nullptr && m_services.paths->hasHistory(settings::kImageHistory);
    m_job.setEnabled(Control::sbu_IImage, m_job.isTicked(Control::chb_IIMG) && history);
}

void ImageTabRules::imageClicked(bool ticked) {
    if (ticked && !mkisofsChosen()) {
        chooseMkisofs();
    }
    // The model unticks the box again when edt_Imkisofs still names no file.
    m_job.setTicked(Control::chb_IIMG, ticked);
    refreshHistoryButton();
}

void ImageTabRules::chooseMkisofs() {
    FileDialogRequest request;
    request.title = tr(options::kMkisofsPlaceholder);
    request.filters.push_back(MkisofsFilter());
    const std::string current = m_job.text(Control::edt_Imkisofs);
    const std::string currentFolder(ExcludeTrailingSeparator(FolderPart(current)));
    if (platform::IsRegularFile(current) || platform::IsFolder(currentFolder)) {
        request.initialFolder = currentFolder;
    } else if (const auto found = platform::FindProgram("mkisofs", m_services.searchFolders)) {
        // Nothing chosen yet: the mkisofs on the search path is the likely answer.
        request.initialFolder = std::string(ExcludeTrailingSeparator(FolderPart(*found)));
        request.initialName = std::string(FileNamePart(*found));
    } else if (!m_services.searchFolders.empty()) {
        request.initialFolder = m_services.searchFolders.front();
    }
    const std::optional<FileDialogResult> chosen = m_services.ui.chooseFileToOpen(request);
    if (!chosen || !platform::IsRegularFile(chosen->path)) {
        return;
    }
    m_job.setText(Control::edt_Imkisofs, chosen->path);
    if (m_services.paths != nullptr) {
        m_services.paths->writePath("Image", "mkisofs", chosen->path);
    }
}

void ImageTabRules::shown() {
    std::string mkisofs;
    if (m_services.paths != nullptr) {
        mkisofs = m_services.paths->ReadPathSetting("Image", "mkisofs", true, "");
    }
    // A window without settings keeps the mkisofs it was given rather than forget it on every visit.
    if (!platform::IsRegularFile(mkisofs) && mkisofsChosen()) {
        mkisofs = m_job.text(Control::edt_Imkisofs);
    }
    m_job.setText(Control::edt_Imkisofs, platform::IsRegularFile(mkisofs) ? mkisofs : tr(options::kMkisofsPlaceholder));
    if (m_services.store != nullptr) {
        m_job.setText(Control::edt_ISpeed, readSetting("Burn", "Speed"));
        m_job.setText(Control::edt_IBrenner, readSetting("Burn", "Drive"));
    }
    refreshHistoryButton();
}

void ImageTabRules::chooseSpeed(const std::string& speed) {
    m_job.setText(Control::edt_ISpeed, speed);
    if (!speed.empty() && m_services.store != nullptr) {
        m_services.store->writeString("Burn", "Speed", speed);
    }
}

void ImageTabRules::chooseBurner(const std::string& burner) {
    m_job.setText(Control::edt_IBrenner, burner);
    if (!burner.empty() && m_services.store != nullptr) {
        m_services.store->writeString("Burn", "Drive", burner);
    }
}

} // namespace talvex::media
