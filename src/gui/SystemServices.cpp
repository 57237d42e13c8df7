// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/SystemServices.h"

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <utility>

#include "core/media/BurnerList.h"
#include "core/media/ImgBurn.h"
#include "core/services/Paths.h"
#include "platform/Locale.h"
#include "platform/OpticalDrives.h"
#include "platform/ProgramSearch.h"

namespace talvex::gui {

namespace {

std::vector<std::string> SearchFolders(const std::string& programFolder) {
    const char* path = std::getenv("PATH");
    return platform::ProgramSearchFolders(programFolder, path != nullptr ? path : "");
}

} // namespace

SystemServices::SystemServices(const std::string& programFile)
    : m_programFolder(std::string(ExcludeTrailingSeparator(FolderPart(programFile)))),
      m_searchFolders(SearchFolders(m_programFolder)),
      m_burningTool(media::FindBurningTool(m_searchFolders).value_or("")), m_environment(m_burningTool),
      m_formats(m_clock, programFile, m_lookup, m_folders),
      m_process(platform::CreateChildProcess({m_programFolder, std::chrono::milliseconds(1000)})),
      m_media(std::make_unique<media::ChildMediaSteps>(
          media::MediaServices{*m_process, m_ui, m_volumes, platform::LocaleThousandsSeparator(), {}, m_burningTool})),
      m_measurer(QApplication::font()) {}

SystemServices::~SystemServices() = default;

session::SessionServices SystemServices::sessionServices(std::string settingsFolder) {
    // Robocopy is looked for beside the program first, as when it is started.
    std::vector<std::string> systemFolders{m_programFolder};
    for (std::string& folder : m_folders.systemFolders()) {
        systemFolders.push_back(std::move(folder));
    }
    return {.environment = m_environment,
            .formats = m_formats,
            .ui = m_ui,
            .measurer = m_measurer,
            .process = *m_process,
            .clock = m_clock,
            .media = *m_media,
            .settingsFolder = std::move(settingsFolder),
            .documentsFolder = m_folders.documents(),
            .systemFolders = std::move(systemFolders),
            .wait = {},
            .questions = &m_deletionQuestions};
}

JobWindowServices SystemServices::jobWindowServices() {
    JobWindowServices services{m_environment, m_ui, m_volumes};
    services.documentsFolder = m_folders.documents();
    services.burners = media::BuildBurnerList(platform::ListOpticalDrives());
    services.searchFolders = m_searchFolders;
    services.formats = &m_formats;
    return services;
}

} // namespace talvex::gui
