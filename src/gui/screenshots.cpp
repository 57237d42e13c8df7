// SPDX-License-Identifier: GPL-3.0-or-later
// Takes pictures of the main window at its design size, one per tab page of the job window, so
// that the layout can be looked at without clicking through the program.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

#include "core/options/JobState.h"
#include "core/output/ProgressTracker.h"
#include "core/presentation/Languages.h"
#include "core/services/LogSink.h"
#include "core/services/Translate.h"
#include "core/session/Session.h"
#include "core/settings/IniStore.h"
#include "gui/Application.h"
#include "gui/SystemServices.h"
#include "gui/dialogs/FirstRunDialog.h"
#include "gui/dialogs/Tfrm_InfoBox.h"
#include "gui/jobwindow/LogView.h"
#include "gui/jobwindow/RunPanel.h"
#include "gui/mainwindow/LanguageMenu.h"
#include "gui/mainwindow/Tfrm_Haupt.h"

namespace {

bool Save(QWidget& window, const QString& file) {
    QApplication::processEvents();
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

/// Pictures the file dialog that `open` brings up, then closes it unchosen. False when none came.
bool SaveFileDialog(const QString& file, const std::function<void()>& open) {
    bool saved = false;
    bool seen = false;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(top);
            if (dialog != nullptr && dialog->isVisible() && !seen) {
                seen = true;
                poll.stop();
                saved = Save(*dialog, file);
                dialog->reject();
                return;
            }
        }
    });
    poll.start();
    open();
    poll.stop();
    if (!seen) {
        std::fprintf(stderr, "no dialog for %s\n", qPrintable(file));
    }
    return saved;
}

// A job as a user would have it after a few clicks, run once by the bundled robocopy on a small
// tree, so that fields, labels and the log show real text.
void RunSampleJob(talvex::gui::Tfrm_Haupt& window, const QString& folder) {
    QTemporaryDir tree;
    QDir(tree.path()).mkpath(QStringLiteral("Bücher/Romane"));
    QDir(tree.path()).mkpath(QStringLiteral("Sicherung"));
    for (const char* name : {"Bücher/Liste.txt", "Bücher/Romane/Der Zauberberg.txt", "Bücher/Romane/Effi Briest.txt"}) {
        QFile file(tree.filePath(QString::fromUtf8(name)));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QByteArray(1234, 'x'));
        }
    }
    talvex::options::JobState& state = window.currentJob()->state();
    state.applySourceFolder(tree.filePath(QStringLiteral("Bücher")).toStdString(), "ext4");
    state.applyDestinationFolder(tree.filePath(QStringLiteral("Sicherung")).toStdString(), "ext4");
    state.setTicked(talvex::options::Control::chb_KMIR, true);
    state.setTicked(talvex::options::Control::chb_KCopy, true);
    state.setTicked(talvex::options::Control::chb_KCopyD, true);
    state.setTicked(talvex::options::Control::chb_KCopyT, true);
    state.setTicked(talvex::options::Control::chb_FMAX, true);
    state.setTicked(talvex::options::Control::chb_MRH, true);
    window.Timer1Timer();
    auto* start = window.findChild<QToolButton*>(QStringLiteral("sbu_Start"));
    start->click();
    // Taken at once, while the run goes on: Start has turned into Stop, with its picture.
    (void)Save(window, folder + QStringLiteral("/main-running-stop.png"));
    QElapsedTimer waited;
    waited.start();
    while (window.findChild<QToolButton*>(QStringLiteral("sbu_Start"))->text() != QStringLiteral("Start") &&
           waited.elapsed() < 20000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    window.Timer1Timer();
}

// The strip below the log: the command line with the result of the sample run, the warning that a
// second run of the mirror brings once the destination holds files the source lacks, and progress
// as a run shows it.
bool SaveRunFeedback(talvex::gui::Tfrm_Haupt& window, const QString& folder) {
    bool ok = Save(window, folder + QStringLiteral("/run-preview-and-result.png"));
    // The sample run's tree has gone; a mirror of its own whose destination holds extra files.
    QTemporaryDir tree;
    QDir(tree.path()).mkpath(QStringLiteral("Bücher"));
    QDir(tree.path()).mkpath(QStringLiteral("Sicherung"));
    for (const char* name :
         {"Bücher/Liste.txt", "Sicherung/Liste.txt", "Sicherung/Alt 1.txt", "Sicherung/Alt 2.txt",
          "Sicherung/Alt 3.txt", "Sicherung/Notizen.txt", "Sicherung/Entwurf.txt", "Sicherung/Rest.txt"}) {
        QFile file(tree.filePath(QString::fromUtf8(name)));
        if (file.open(QIODevice::WriteOnly)) {
            file.write("x");
        }
    }
    talvex::options::JobState& state = window.currentJob()->state();
    state.applySourceFolder(tree.filePath(QStringLiteral("Bücher")).toStdString(), "ext4");
    state.applyDestinationFolder(tree.filePath(QStringLiteral("Sicherung")).toStdString(), "ext4");
    window.Timer1Timer();
    bool seen = false;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QLatin1String("dlg_Loeschwarnung") && top->isVisible() && !seen) {
                seen = true;
                ok = Save(*top, folder + QStringLiteral("/run-warning.png")) && ok;
                top->findChild<QPushButton*>(QStringLiteral("btn_ListeAnzeigen"))->click();
                ok = Save(*top, folder + QStringLiteral("/run-warning-list.png")) && ok;
                top->findChild<QPushButton*>(QStringLiteral("btn_Abbrechen"))->click();
            }
        }
    });
    poll.start();
    window.findChild<QToolButton*>(QStringLiteral("sbu_Start"))->click();
    QElapsedTimer waited;
    waited.start();
    while (window.findChild<QToolButton*>(QStringLiteral("sbu_Start"))->text() != QStringLiteral("Start") &&
           waited.elapsed() < 20000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    poll.stop();
    if (!seen) {
        std::fprintf(stderr, "no warning before the mirror deleted\n");
        ok = false;
    }
    // A run of a few small files is over before it can be pictured: the strip as a longer run shows it.
    talvex::output::Progress progress;
    progress.filesDone = 2;
    progress.filesTotal = 3;
    progress.bytesDone = 2468 + 600;
    progress.bytesTotal = std::uint64_t{3} * 1234;
    progress.currentFile = "Effi Briest.txt";
    progress.currentPercent = 50;
    window.currentJob()->runPanel()->showProgress(progress, std::chrono::seconds(40), false);
    ok = Save(window, folder + QStringLiteral("/run-progress.png")) && ok;
    return ok;
}

// The hint over /MIR on the Kopieren page as a plain hint and as a balloon, and the first-run question.
bool SaveHintAndFirstRun(talvex::gui::Tfrm_Job& job, const QString& folder) {
    bool ok = true;
    job.findChild<QTabWidget*>(QStringLiteral("pgc_Optionen"))->setCurrentIndex(1);
    auto* mirror = job.findChild<QWidget*>(QStringLiteral("chb_KMIR"));
    for (const bool balloon : {false, true}) {
        job.setTooltipps(balloon);
        QToolTip::showText(mirror->mapToGlobal(QPoint(10, 10)), mirror->toolTip(), mirror);
        QApplication::processEvents();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top->inherits("QTipLabel")) {
                const QString name = balloon ? QStringLiteral("/hint-balloon.png") : QStringLiteral("/hint-plain.png");
                ok = Save(*top, folder + name) && ok;
            }
        }
        QToolTip::hideText();
    }
    job.setTooltipps(false);

    // The first-run question.
    talvex::gui::FirstRunDialog firstRun;
    firstRun.show();
    ok = Save(firstRun, folder + QStringLiteral("/first-run.png")) && ok;
    firstRun.hide();
    return ok;
}

// Five jobs share the tab strip; the log fills the window, with text selected by the mouse.
bool SaveJobsAndLog(talvex::gui::Tfrm_Haupt& window, const QString& folder) {
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        window.NewJob();
    }
    window.currentJob()->showLogFull();
    window.currentJob()->log().appendLine(talvex::tr("Ausführung beendet."), talvex::LogColour::Blue);
    ok = Save(window, folder + QStringLiteral("/main-five-jobs-log.png")) && ok;

    // Text in the log selected with the mouse, from the middle of one line into another.
    auto* log = window.currentJob()->findChild<talvex::gui::LogView*>(QStringLiteral("red_Log"));
    log->appendLine("Neue Datei \t  1024  C:\\Daten\\Bericht.txt", talvex::LogColour::Black);
    log->appendLine("FEHLER 5 (0x00000005) Zugriff verweigert", talvex::LogColour::Red);
    log->showPendingLines();
    const int spacing = QFontMetrics(log->font()).lineSpacing();
    for (const auto& [type, at] : {std::pair{QEvent::MouseButtonPress, QPoint(60, spacing / 2)},
                                   std::pair{QEvent::MouseMove, QPoint(120, spacing * 5 / 2)},
                                   std::pair{QEvent::MouseButtonRelease, QPoint(120, spacing * 5 / 2)}}) {
        QMouseEvent event(type, at, log->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(log->viewport(), &event);
    }
    ok = Save(window, folder + QStringLiteral("/main-log-selection.png")) && ok;

    // "Mehrfach Job speichern" with several jobs open, and the Datei menu that offers it.
    auto* fileMenu = window.findChild<QMenu*>(QStringLiteral("mni_Datei"));
    fileMenu->popup(window.mapToGlobal(QPoint(0, 0)));
    ok = Save(*fileMenu, folder + QStringLiteral("/menu-mni_Datei-five-jobs.png")) && ok;
    fileMenu->hide();
    ok = SaveFileDialog(
             folder + QStringLiteral("/dialog-save-all.png"),
             [&window] { window.findChild<QAction*>(QStringLiteral("mni_DateiAlleSpeichern"))->trigger(); }) &&
         ok;
    return ok;
}

// The name list editor over the job's lists, with a few names kept from before.
bool SaveNameListEditor(talvex::gui::Tfrm_Job& job, const QString& settingsFolder, const QString& folder) {
    {
        talvex::settings::IniStore lists(QDir(settingsFolder).filePath(QStringLiteral("TalvexListe.ini")).toStdString(),
                                         talvex::settings::IniEncoding::SystemCodePage);
        lists.writeString("/XF", "0", "*.tmp (Zwischendateien)");
        lists.writeString("/XF", "1", "Thumbs.db");
        lists.writeString("/XF", "2", "~$*.docx (Sperrdateien von Word)");
        lists.writeString("/XD", "0", "Papierkorb");
        lists.writeString("/XD", "1", "/home/anna/Bilder/Urlaub 2025");
        lists.writeString("/IF", "0", "*.pdf");
        (void)lists.writeBack();
    }
    job.state().setNameListText("/XF\n*.tmp\n\n/XD\nnode_modules\n\n");
    job.findChild<QTabWidget*>(QStringLiteral("pgc_Optionen"))->setCurrentIndex(2);
    bool ok = false;
    QTimer::singleShot(200, &job, [&ok, &folder] {
        QWidget* editor = QApplication::activeModalWidget();
        if (editor == nullptr) {
            std::fprintf(stderr, "no name list editor\n");
            return;
        }
        ok = Save(*editor, folder + QStringLiteral("/dialog-name-lists.png"));
        editor->findChild<QAbstractButton*>(QStringLiteral("btn_Abort"))->click();
    });
    job.findChild<QToolButton*>(QStringLiteral("sbu_FListe"))->click();
    return ok;
}

// Six jobs with long names share the tab strip; and the window at its smallest.
bool SaveTabsAndMinimumSize(talvex::gui::Tfrm_Haupt& window, const QString& folder) {
    while (window.jobCount() < 6) {
        window.NewJob();
    }
    const std::array names = {
        "Sicherung Projektdaten Jahresabschluss 2026.rcj", "Fotos & Videos vom Sommerurlaub.rcj",
        "Spiegelung Dokumente auf NAS im Keller.rcj",      "Wöchentliche Sicherung der Datenbank.rcj",
        "Abgleich Laptop mit dem Arbeitsplatz.rcj",        "Archiv der alten Rechnungen 2019-2024.rcj"};
    for (int i = 0; i < 6; ++i) {
        window.SelectJob(i);
        window.currentJob()->state().setJobFilePath(std::string("/home/anna/Jobs/") + names[i]);
        window.currentJob()->state().SetJobFlags(false, true, i % 2 == 0);
        window.Timer1Timer();
    }
    bool ok = Save(window, folder + QStringLiteral("/main-six-long-tabs.png"));
    const QSize size = window.size();
    window.resize(1, 1);
    ok = Save(window, folder + QStringLiteral("/main-minimum-size.png")) && ok;
    window.resize(size);
    return ok;
}

// A job that images its copy with mkisofs and burns the image with talvex-burn onto a plain file
// that stands in for a disc: the Image tab as set up, and the log of the run.
bool SaveImageRun(talvex::gui::Tfrm_Haupt& window, const QString& folder) {
    using talvex::options::Control;
    QTemporaryDir tree;
    QDir(tree.path()).mkpath(QStringLiteral("Quelle/Müll Ordner/tief"));
    for (const char* name : {"Quelle/Liste.txt", "Quelle/Müll Ordner/Bericht ä.txt", "Quelle/Müll Ordner/tief/x.txt"}) {
        QFile file(tree.filePath(QString::fromUtf8(name)));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QByteArray(4321, 'x'));
        }
    }
    window.NewJob();
    talvex::gui::Tfrm_Job& job = *window.currentJob();
    talvex::options::JobState& state = job.state();
    state.applySourceFolder(tree.filePath(QStringLiteral("Quelle")).toStdString(), "ext4");
    state.applyDestinationFolder(tree.filePath(QStringLiteral("Ziel")).toStdString(), "ext4");
    state.setText(Control::edt_IImage, tree.filePath(QStringLiteral("Sicherung.iso")).toStdString());
    // Showing the tab takes mkisofs, speed and drive from the settings.
    job.findChild<QTabWidget*>(QStringLiteral("pgc_Optionen"))->setCurrentIndex(5);
    state.setTicked(Control::chb_IIMG, true);
    state.setTicked(Control::chb_IBurn, true);
    window.Timer1Timer();
    bool ok = Save(window, folder + QStringLiteral("/main-tab_Image-burn.png"));

    window.findChild<QToolButton*>(QStringLiteral("sbu_Start"))->click();
    QElapsedTimer waited;
    waited.start();
    while (window.findChild<QToolButton*>(QStringLiteral("sbu_Start"))->text() != QStringLiteral("Start") &&
           waited.elapsed() < 60000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    window.Timer1Timer();
    job.showLogFull();
    ok = Save(window, folder + QStringLiteral("/main-image-burn-log.png")) && ok;
    job.showLogSplit();
    return ok;
}

// Every picture of one language, from a fresh session and window, into `folder`.
bool TakePictures(talvex::gui::SystemServices& system, const std::vector<talvex::presentation::Language>& languages,
                  const QString& folder) {
    QDir().mkpath(folder);
    // A settings folder of its own with a short history, so that the history buttons show as in use.
    QTemporaryDir settingsFolder;
    {
        talvex::settings::IniStore store(settingsFolder.filePath(QStringLiteral("Talvex.ini")).toStdString(),
                                         talvex::settings::IniEncoding::Utf16LeWithMark);
        store.writeString("SDHistorie", "0", "/");
        store.writeString("DDHistorie", "0", "/tmp");
        store.writeBool("Settings", "CopyRobo", true);
        store.writeString("Image", "mkisofs", "/usr/bin/mkisofs");
        store.writeString("Burn", "Speed", "Max");
        store.writeString("Burn", "Drive",
                          "stdio:" + settingsFolder.filePath(QStringLiteral("disc.bin")).toStdString());
        (void)store.writeBack();
    }
    talvex::session::Session session(system.sessionServices(settingsFolder.path().toStdString()));
    talvex::gui::Tfrm_Haupt window(session, system.jobWindowServices());
    window.show();
    window.setBundledEngine(true); // the sample jobs run our own engine
    window.BuildLanguageMenu(languages);
    window.findChild<QAction*>(QStringLiteral("mni_ImageView"))->setChecked(true);

    RunSampleJob(window, folder);
    talvex::gui::Tfrm_Job& job = *window.currentJob();

    auto* pages = job.findChild<QTabWidget*>(QStringLiteral("pgc_Optionen"));
    bool ok = true;
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        ok = Save(window, QStringLiteral("%1/main-%2.png").arg(folder, pages->widget(i)->objectName())) && ok;
    }

    // Wider: the column rules spread the boxes over the page.
    const QSize designSize = window.size();
    window.resize(900, designSize.height());
    pages->setCurrentIndex(1);
    ok = Save(window, folder + QStringLiteral("/main-wide-tab_Kopieren.png")) && ok;
    pages->setCurrentIndex(2);
    ok = Save(window, folder + QStringLiteral("/main-wide-tab_Filter.png")) && ok;
    window.resize(designSize);

    // The menus, as they open.
    for (const char* name : {"mni_Datei", "mni_Ausfuehren", "mni_Einstellungen", "mni_Sprachen"}) {
        auto* menu = window.findChild<QMenu*>(QString::fromLatin1(name));
        menu->popup(window.mapToGlobal(QPoint(0, 0)));
        ok = Save(*menu, QStringLiteral("%1/menu-%2.png").arg(folder, QString::fromLatin1(name))) && ok;
        menu->hide();
    }

    // The save dialog with its check box, from the changed job.
    ok = SaveFileDialog(
             folder + QStringLiteral("/dialog-save-as.png"),
             [&window] { window.findChild<QAction*>(QStringLiteral("mni_DateiSpeichernUnter"))->trigger(); }) &&
         ok;

    ok = SaveNameListEditor(job, settingsFolder.path(), folder) && ok;
    // The about box of the program built beside this one.
    talvex::gui::Tfrm_InfoBox about((QCoreApplication::applicationDirPath() + QStringLiteral("/talvex")).toStdString(),
                                    &window);
    about.show();
    ok = Save(about, folder + QStringLiteral("/about-box.png")) && ok;
    about.hide();

    ok = SaveRunFeedback(window, folder) && ok;
    ok = SaveHintAndFirstRun(job, folder) && ok;
    ok = SaveImageRun(window, folder) && ok;
    ok = SaveJobsAndLog(window, folder) && ok;
    ok = SaveTabsAndMinimumSize(window, folder) && ok;
    return ok;
}

} // namespace

// Pictures in every language of the catalogues, one folder per language code.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string localeFolder =
        talvex::gui::InitTranslations(QCoreApplication::applicationDirPath().toStdString());
    talvex::gui::InstallInterfaceFont();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    std::printf("interface font: %s, %d px\n", qPrintable(QFontInfo(QApplication::font()).family()),
                QFontInfo(QApplication::font()).pixelSize());

    talvex::gui::SystemServices system(QCoreApplication::applicationFilePath().toStdString());
    const talvex::presentation::LanguageList languages = talvex::presentation::ListLanguages(localeFolder);
    bool ok = !languages.languages.empty();
    for (const talvex::presentation::Language& language : languages.languages) {
        talvex::gui::LanguageMenu::SwitchTo(language.code);
        ok = TakePictures(system, languages.languages,
                          folder + QLatin1Char('/') + QString::fromStdString(language.code)) &&
             ok;
    }
    return ok ? 0 : 1;
}
