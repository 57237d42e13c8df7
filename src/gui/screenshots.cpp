// SPDX-License-Identifier: GPL-3.0-or-later
// Takes pictures of the main window at its design size, one per tab page of the job window, so
// that the layout can be looked at without clicking through the program.
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
#include <chrono>
#include <cstdio>
#include <functional>
#include <utility>

#include "core/options/JobState.h"
#include "core/output/ProgressTracker.h"
#include "core/services/LogSink.h"
#include "core/session/Session.h"
#include "core/settings/IniStore.h"
#include "gui/Application.h"
#include "gui/SystemServices.h"
#include "gui/dialogs/FirstRunDialog.h"
#include "gui/jobwindow/LogView.h"
#include "gui/jobwindow/RunPanel.h"
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
void RunSampleJob(talvex::gui::Tfrm_Haupt& window) {
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
    progress.bytesTotal = 3 * 1234;
    progress.currentFile = "Effi Briest.txt";
    progress.currentPercent = 50;
    window.currentJob()->runPanel()->showProgress(progress, std::chrono::seconds(40), false);
    ok = Save(window, folder + QStringLiteral("/run-progress.png")) && ok;
    return ok;
}

// A balloon hint over /MIR on the Kopieren page, and the first-run question.
bool SaveHintAndFirstRun(talvex::gui::Tfrm_Job& job, const QString& folder) {
    bool ok = true;
    job.findChild<QTabWidget*>(QStringLiteral("pgc_Optionen"))->setCurrentIndex(1);
    job.setTooltipps(true);
    auto* mirror = job.findChild<QWidget*>(QStringLiteral("chb_KMIR"));
    QToolTip::showText(mirror->mapToGlobal(QPoint(10, 10)), mirror->toolTip(), mirror);
    QApplication::processEvents();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->inherits("QTipLabel")) {
            ok = Save(*top, folder + QStringLiteral("/hint-balloon.png")) && ok;
        }
    }
    QToolTip::hideText();
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
    window.currentJob()->log().appendLine("Ausführung beendet.", talvex::LogColour::Blue);
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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    talvex::gui::InitTranslations(QCoreApplication::applicationDirPath().toStdString());
    talvex::gui::InstallInterfaceFont();
    talvex::gui::InstallQtTranslations("de");
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(folder);
    std::printf("interface font: %s, %d px\n", qPrintable(QFontInfo(QApplication::font()).family()),
                QFontInfo(QApplication::font()).pixelSize());

    talvex::gui::SystemServices system(QCoreApplication::applicationFilePath().toStdString());
    // A settings folder of its own with a short history, so that the history buttons show as in use.
    QTemporaryDir settingsFolder;
    {
        talvex::settings::IniStore store(settingsFolder.filePath(QStringLiteral("Talvex.ini")).toStdString(),
                                         talvex::settings::IniEncoding::Utf16LeWithMark);
        store.writeString("SDHistorie", "0", "/");
        store.writeString("DDHistorie", "0", "/tmp");
        store.writeBool("Settings", "CopyRobo", true);
        (void)store.writeBack();
    }
    talvex::session::Session session(system.sessionServices(settingsFolder.path().toStdString()));
    talvex::gui::Tfrm_Haupt window(session, system.jobWindowServices());
    window.show();
    window.findChild<QAction*>(QStringLiteral("mni_ImageView"))->setChecked(true);

    RunSampleJob(window);
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
    for (const char* name : {"mni_Datei", "mni_Ausfuehren", "mni_Einstellungen"}) {
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

    ok = SaveRunFeedback(window, folder) && ok;
    ok = SaveHintAndFirstRun(job, folder) && ok;
    ok = SaveJobsAndLog(window, folder) && ok;
    return ok ? 0 : 1;
}
