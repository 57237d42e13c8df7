// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/exec/JobSteps.h"
#include "core/formats/SystemFormatServices.h"
#include "core/media/ChildMediaSteps.h"
#include "core/session/Session.h"
#include "core/session/SystemJobEnvironment.h"
#include "gui/dialogs/DeletionWarningDialog.h"
#include "gui/dialogs/FontTextMeasurer.h"
#include "gui/dialogs/QtUserInterface.h"
#include "gui/jobwindow/Tfrm_Job.h"
#include "platform/ChildProcess.h"
#include "platform/Clock.h"
#include "platform/DirectoryEntries.h"
#include "platform/SpecialFolders.h"
#include "platform/Volumes.h"

namespace talvex::gui {

/// The real services of the program: the operating system behind the seams the session and the
/// windows are given. Made once by a program's entry point, before the session.
class SystemServices final {
public:
    /// `programFile` is the running program; robocopy and the other tools are looked for beside it
    /// first.
    explicit SystemServices(const std::string& programFile);
    SystemServices(const SystemServices&) = delete;
    SystemServices& operator=(const SystemServices&) = delete;
    ~SystemServices();

    [[nodiscard]] QtUserInterface& ui() { return m_ui; }
    [[nodiscard]] DialogDeletionQuestions& deletionQuestions() { return m_deletionQuestions; }
    [[nodiscard]] const platform::SpecialFolders& folders() const { return m_folders; }
    [[nodiscard]] const std::string& programFolder() const { return m_programFolder; }

    [[nodiscard]] session::SessionServices sessionServices(std::string settingsFolder);
    [[nodiscard]] JobWindowServices jobWindowServices();

private:
    std::string m_programFolder;
    /// The program's folder, then PATH: where robocopy's companions are looked for.
    std::vector<std::string> m_searchFolders;
    std::string m_burningTool;
    session::SystemJobEnvironment m_environment;
    QtUserInterface m_ui;
    DialogDeletionQuestions m_deletionQuestions;
    platform::SystemVolumeProbes m_volumes;
    platform::SystemClock m_clock;
    platform::SystemDirectoryEntryLookup m_lookup;
    platform::SystemSpecialFolders m_folders;
    formats::SystemFormatServices m_formats;
    std::unique_ptr<platform::ChildProcess> m_process;
    std::unique_ptr<media::ChildMediaSteps> m_media;
    FontTextMeasurer m_measurer;
};

} // namespace talvex::gui
