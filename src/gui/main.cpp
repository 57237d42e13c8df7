// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/presentation/CommandLine.h"
#include "gui/Application.h"
#include "gui/dialogs/QtUserInterface.h"
#include "gui/jobwindow/SystemJobEnvironment.h"
#include "gui/mainwindow/Tfrm_Haupt.h"
#include "platform/Volumes.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto language = talvex::presentation::LanguageParameter(arguments)) {
        // Before the first message is fetched, the catalogue language is simply the environment's.
        setenv("LANGUAGE", language->c_str(), 1);
    }
    talvex::gui::InitTranslations(QCoreApplication::applicationDirPath().toStdString());
    talvex::gui::InstallInterfaceFont();

    talvex::gui::SystemJobEnvironment environment;
    talvex::gui::QtUserInterface userInterface;
    talvex::platform::SystemVolumeProbes volumes;
    talvex::gui::Tfrm_Haupt window({environment, userInterface, volumes});
    userInterface.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}
