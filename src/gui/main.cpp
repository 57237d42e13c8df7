// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/exec/DetectRobocopy.h"
#include "core/formats/SystemFormatServices.h"
#include "core/presentation/CommandLine.h"
#include "core/services/VersionInfo.h"
#include "core/settings/SettingsFolder.h"
#include "gui/Application.h"
#include "gui/dialogs/FirstRunDialog.h"
#include "gui/dialogs/QtUserInterface.h"
#include "gui/jobwindow/SystemJobEnvironment.h"
#include "gui/mainwindow/Tfrm_Haupt.h"
#include "platform/SpecialFolders.h"
#include "platform/Volumes.h"

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

    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    const talvex::platform::SystemSpecialFolders folders;
    talvex::gui::QtUserInterface userInterface;
    talvex::settings::SettingsFolderResult settingsFolder;
    {
        talvex::gui::FirstRunDialog firstRun;
        settingsFolder = talvex::settings::FindSettingsFolder(programFolder, folders.applicationData(), firstRun);
    }
    if (settingsFolder.error) {
        // The program still runs; the settings are then lost at shutdown, which the user is told.
        userInterface.showMessage(talvex::MessageKind::Warning, "Talvex", settingsFolder.error->describe(),
                                  talvex::Buttons::Ok);
    }

    talvex::gui::SystemJobEnvironment environment;
    talvex::platform::SystemVolumeProbes volumes;
    talvex::gui::JobWindowServices services{environment, userInterface, volumes};
    services.documentsFolder = folders.documents();
    services.programFolder = programFolder;
    services.systemFolders = folders.systemFolders();
    const talvex::platform::SystemClock clock;
    const talvex::platform::SystemDirectoryEntryLookup lookup;
    const talvex::formats::SystemFormatServices formats(clock, QCoreApplication::applicationFilePath().toStdString(),
                                                        lookup, folders);
    services.formats = &formats;
    talvex::gui::Tfrm_Haupt window(services, settingsFolder.folder);
    userInterface.setParentWindow(&window);
    // Without a robocopy there is nothing to run: the user has been told why, and the program ends.
    const auto robocopy =
        talvex::exec::DetectRobocopy({settingsFolder.folder, folders.systemFolders(), programFolder}, userInterface);
    if (!robocopy) {
        return EXIT_FAILURE;
    }
    window.setRobocopyVersion(QString::fromStdString(robocopy->shownName));
    // The caption is the program's own file description, empty when the file carries none.
    talvex::VersionInfo version;
    window.setWindowTitle(talvex::ReadVersionInfo(QCoreApplication::applicationFilePath().toStdString(), false, version)
                              ? QString::fromStdString(version.fileDescription)
                              : QString());
    window.show();
    return QApplication::exec();
}
