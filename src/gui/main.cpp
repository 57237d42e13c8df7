// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/exec/DetectRobocopy.h"
#include "core/presentation/CommandLine.h"
#include "core/services/VersionInfo.h"
#include "core/session/Session.h"
#include "core/settings/SettingsFolder.h"
#include "gui/Application.h"
#include "gui/SystemServices.h"
#include "gui/dialogs/FirstRunDialog.h"
#include "gui/mainwindow/Tfrm_Haupt.h"

// The one place that assembles the program: the real services, the session over them and the
// main window that shows the session.
int main(int argc, char** argv) {
    QApplication app(argc, argv);

    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const auto language = talvex::presentation::LanguageParameter(arguments);
    if (language) {
        // Before the first message is fetched, the catalogue language is simply the environment's.
        setenv("LANGUAGE", language->c_str(), 1);
    }
    talvex::gui::InstallQtTranslations(language.value_or("de"));
    talvex::gui::InitTranslations(QCoreApplication::applicationDirPath().toStdString());
    talvex::gui::InstallInterfaceFont();

    const std::string programFile = QCoreApplication::applicationFilePath().toStdString();
    talvex::gui::SystemServices system(programFile);
    talvex::settings::SettingsFolderResult settingsFolder;
    {
        talvex::gui::FirstRunDialog firstRun;
        settingsFolder =
            talvex::settings::FindSettingsFolder(system.programFolder(), system.folders().applicationData(), firstRun);
    }
    if (settingsFolder.error) {
        // The program still runs; the settings are then lost at shutdown, which the user is told.
        system.ui().showMessage(talvex::MessageKind::Warning, "Talvex", settingsFolder.error->describe(),
                                talvex::Buttons::Ok);
    }

    talvex::session::Session session(system.sessionServices(settingsFolder.folder));
    talvex::gui::Tfrm_Haupt window(session, system.jobWindowServices());
    system.ui().setParentWindow(&window);
    system.deletionQuestions().setParentWindow(&window);
    // Without a robocopy there is nothing to run: the user has been told why, and the program ends.
    const auto robocopy = talvex::exec::DetectRobocopy(
        {settingsFolder.folder, system.folders().systemFolders(), system.programFolder()}, system.ui());
    if (!robocopy) {
        return EXIT_FAILURE;
    }
    window.setRobocopyVersion(QString::fromStdString(robocopy->shownName));
    // The caption is the program's own file description, empty when the file carries none.
    talvex::VersionInfo version;
    window.setWindowTitle(talvex::ReadVersionInfo(programFile, false, version)
                              ? QString::fromStdString(version.fileDescription)
                              : QString());
    window.show();
    return QApplication::exec();
}
