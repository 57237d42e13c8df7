// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/exec/DetectRobocopy.h"
#include "core/presentation/CommandLine.h"
#include "core/presentation/Languages.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"
#include "core/services/VersionInfo.h"
#include "core/session/Session.h"
#include "core/settings/SettingsFolder.h"
#include "gui/Application.h"
#include "gui/Pictures.h"
#include "gui/SystemServices.h"
#include "gui/dialogs/FirstRunDialog.h"
#include "gui/mainwindow/Tfrm_Haupt.h"

namespace {

constexpr const char* kUsage =
    "Usage: talvex [FILE]... [-lCODE]\n"
    "Compose robocopy runs without typing switches: save them as robocopy job files or batch files,\n"
    "open such files, run them with robocopy's output in a live log, and turn the destination into an\n"
    "ISO image and burn it.\n"
    "\n"
    "  FILE       a robocopy job file (*.rcj) or batch file (*.bat, *.cmd) to open\n"
    "  -lCODE     start in the language CODE (de, en); also -l:CODE or -l CODE\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n";

} // namespace

// The one place that assembles the program: the real services, the session over them and the
// main window that shows the session.
int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    // Answered before Qt starts, so that they work without a display (and for the manual page).
    switch (talvex::presentation::InfoParameter(arguments)) {
    case talvex::presentation::InfoRequest::Version:
        std::puts("talvex " TALVEX_VERSION_TEXT);
        return EXIT_SUCCESS;
    case talvex::presentation::InfoRequest::Help:
        std::fputs(kUsage, stdout);
        return EXIT_SUCCESS;
    case talvex::presentation::InfoRequest::None:
        break;
    }
    QApplication app(argc, argv);
    QApplication::setWindowIcon(talvex::gui::PictureIcon(talvex::gui::Picture::Program));
    QGuiApplication::setDesktopFileName(QStringLiteral(TALVEX_APP_ID));

    const std::string localeFolder =
        talvex::gui::InitTranslations(QCoreApplication::applicationDirPath().toStdString());
    const talvex::presentation::LanguageList languages = talvex::presentation::ListLanguages(localeFolder);
    std::string unknownLanguage;
    const std::string language = talvex::presentation::StartLanguage(talvex::presentation::LanguageParameter(arguments),
                                                                     languages.languages, unknownLanguage);
    if (!language.empty()) {
        talvex::SwitchLanguage(language);
    }
    if (!unknownLanguage.empty()) {
        std::fprintf(stderr, "talvex: no catalogue for the language \"%s\" in %s; using German\n",
                     unknownLanguage.c_str(), localeFolder.c_str());
    }
    // Qt's own texts follow the catalogue in use; without one the messages are the German originals.
    const talvex::presentation::Language* inUse =
        talvex::presentation::LanguageInUse(languages.languages, talvex::CurrentLanguage());
    talvex::gui::InstallQtTranslations(inUse != nullptr ? inUse->code : "de");
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
    for (const std::string& refused : languages.refused) {
        system.ui().showMessage(talvex::MessageKind::Warning, "Talvex",
                                talvex::Format(talvex::tr("Der Sprachkatalog \"%s\" ist nicht UTF-8-kodiert und "
                                                          "wird nicht verwendet."),
                                               {refused}),
                                talvex::Buttons::Ok);
    }
    system.deletionQuestions().setParentWindow(&window);
    // Without a robocopy there is nothing to run: the user has been told why, and the program ends.
    const auto robocopy = talvex::exec::DetectRobocopy(
        {settingsFolder.folder, system.folders().systemFolders(), system.programFolder()}, system.ui());
    if (!robocopy) {
        return EXIT_FAILURE;
    }
    window.setRobocopyVersion(QString::fromStdString(robocopy->shownName));
    window.setBundledEngine(robocopy->bundledEngine);
    window.BuildLanguageMenu(languages.languages);
    // The caption is the program's own file description, empty when the file carries none.
    talvex::VersionInfo version;
    window.setWindowTitle(talvex::ReadVersionInfo(programFile, false, version)
                              ? QString::fromStdString(version.fileDescription)
                              : QString());
    window.show();
    window.openFiles(talvex::presentation::FileParameters(arguments));
    return QApplication::exec();
}
