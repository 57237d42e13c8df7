// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands of the main window driven through their buttons, menu items and keys, with
// scripted answers to every question, checked on disk and in the tab strip.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <memory>
#include <string>

#include "GuiTestSupport.h"
#include "core/options/Control.h"
#include "core/workspace/Workspace.h"
#include "fakes/TempFolder.h"
#include "gui/Application.h"
#include "gui/mainwindow/Tfrm_Haupt.h"

using talvex::Answer;
using talvex::FileDialogResult;
using talvex::fakes::TempFolder;
using talvex::gui::Tfrm_Haupt;
using talvex::gui::Tfrm_Job;
using talvex::options::Control;

namespace {

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

} // namespace

class FileCommandsTest : public talvex::guitest::MainWindowFixture {
    Q_OBJECT

private:
    std::unique_ptr<TempFolder> m_settings;
    std::unique_ptr<TempFolder> m_files;

    void click(const char* button) { find<QToolButton>(button)->click(); }
    void trigger(const char* item) { find<QAction>(item)->trigger(); }

    /// A fresh main window over the same settings folder, as when the program starts again.
    void restart() { m_window.open(m_fakes, m_settings->path().string()); }

    std::string file(const char* name) const { return m_files->file(name); }
    void chooseSave(const std::string& path, int filter, bool copyRobocopy = false) {
        m_ui.saveChoices.push_back(FileDialogResult{path, filter, copyRobocopy});
    }
    void chooseOpen(const std::string& path) { m_ui.openChoices.push_back(FileDialogResult{path, 0, false}); }

    /// Gives the current job folders and /MIR, as a user would, so it can be written and run.
    void fillCurrentJob(const std::string& name) {
        talvex::options::JobState& job = m_window->currentJob()->state();
        job.setText(Control::edt_PSD, "/srv/" + name);
        job.setTicked(Control::chb_PNoSD, false);
        job.setText(Control::edt_PDD, "/backup/" + name);
        job.setTicked(Control::chb_PNoDD, false);
        inJob<QCheckBox>("chb_KMIR")->click();
    }

    QStringList tabCaptions() {
        QStringList captions;
        for (int i = 0; i < m_window->jobCount(); ++i) {
            captions << m_window->tabButton(i)->text();
        }
        return captions;
    }

    bool enabled(const char* name) { return find<QObject>(name)->property("enabled").toBool(); }

private Q_SLOTS:
    void initTestCase() { talvex::gui::InstallInterfaceFont(); }

    void init() {
        m_fakes.reset();
        m_settings = std::make_unique<TempFolder>();
        m_files = std::make_unique<TempFolder>();
        restart();
    }

    void cleanup() {
        m_window.reset();
        m_files.reset();
        m_settings.reset();
    }

    void openFillsAnUntouchedTabElseANewOne() {
        const std::string path = file("projekte.rcj");
        std::filesystem::copy_file(TALVEX_TEST_DATA "/formats/posix-paths.rcj", path);
        chooseOpen(path);
        click("sbu_Oeffnen");
        QCOMPARE(m_window->jobCount(), 1);
        QCOMPARE(tabCaptions(), QStringList{QStringLiteral("projekte.rcj")});
        auto* source = inJob<QLineEdit>("edt_PSD");
        QCOMPARE(source->text(), QStringLiteral("/home/anna/Projekte"));
        // Opened unchanged: nothing to save, but it may be saved elsewhere.
        QVERIFY(!enabled("sbu_Speichern"));
        QVERIFY(enabled("sbu_SpeichernUnter"));

        // The tab now holds a file: the same file again goes into a new tab, after the question.
        m_ui.answers = {Answer::Yes};
        chooseOpen(path);
        trigger("mni_DateiOeffnen");
        QCOMPARE(m_ui.messages.size(), std::size_t{1});
        QCOMPARE(tabCaptions(), (QStringList{QStringLiteral("projekte.rcj"), QStringLiteral("projekte.rcj")}));
        QCOMPARE(m_window->currentJobIndex(), 1);

        // Refusing the second load shows the job that has the file.
        m_window->NewJob();
        m_ui.answers = {Answer::No, Answer::No};
        chooseOpen(path);
        click("sbu_Oeffnen");
        QCOMPARE(m_window->jobCount(), 3);
        QCOMPARE(m_window->currentJobIndex(), 1);
        QVERIFY(m_window->tabButton(1)->isChecked());
    }

    // What a file manager passes: every file opens into a tab of its own; one that is missing is
    // reported and the next still opens.
    void filesFromTheCommandLineOpenIntoTabs() {
        const std::string first = file("erste & beste.rcj");
        const std::string second = file("zweite.rcj");
        std::filesystem::copy_file(TALVEX_TEST_DATA "/formats/posix-paths.rcj", first);
        std::filesystem::copy_file(TALVEX_TEST_DATA "/formats/posix-paths.rcj", second);
        m_window->openFiles({first, file("fehlt.rcj"), second});
        QCOMPARE(tabCaptions(), (QStringList{QStringLiteral("erste && beste.rcj"), QStringLiteral("zweite.rcj")}));
        QCOMPARE(m_ui.messages.size(), std::size_t{1});
        QCOMPARE(m_ui.messages[0].text, file("fehlt.rcj") + ": Der Pfad wurde nicht gefunden");
    }

    void newJobSavedAsBatchWritesBothFiles() {
        fillCurrentJob("fotos");
        // The status timer mirrors the change into the buttons.
        QTRY_VERIFY(enabled("sbu_Speichern"));
        chooseSave(file("x.bat"), 1);
        // Save on a job without a file asks where to, with the three single-job layouts.
        click("sbu_Speichern");
        QCOMPARE(m_ui.saveRequests.size(), std::size_t{1});
        const talvex::FileDialogRequest& asked = m_ui.saveRequests[0];
        QCOMPARE(asked.filters.size(), std::size_t{3});
        QVERIFY(asked.confirmOverwrite);

        QVERIFY(Exists(file("x.bat.rcj")));
        m_window->Timer1Timer();
        QCOMPARE(tabCaptions(), QStringList{QStringLiteral("x.bat")});
        QVERIFY(!enabled("sbu_Speichern"));
        QVERIFY(enabled("mni_DateiSpeichernUnter"));

        // The saved file is offered again in the Datei menu, relative to the folder last used.
        auto* fileMenu = find<QMenu>("mni_Datei");
        Q_EMIT fileMenu->aboutToShow();
        auto* recent = find<QMenu>("mni_DateiJob");
        QVERIFY(recent->menuAction()->isEnabled());
        QCOMPARE(recent->actions().size(), 1);
        QCOMPARE(recent->actions().at(0)->text(), QStringLiteral("x.bat"));
        m_window->NewJob();
        m_ui.answers = {Answer::Yes}; // it is still open in the first tab
        recent->actions().at(0)->trigger();
        QCOMPARE(m_window->jobCount(), 2);
        QCOMPARE(m_window->tabButton(1)->text(), QStringLiteral("x.bat"));
        QCOMPARE(inJob<QLineEdit>("edt_PSD")->text(), QStringLiteral("/srv/fotos"));
    }

    void threeJobsSavedAsOneCommandFileOpenIntoThreeTabs() {
        QVERIFY(!enabled("mni_DateiAlleSpeichern"));
        fillCurrentJob("eins");
        for (const char* name : {"zwei", "drei"}) {
            click("sbu_Neu");
            fillCurrentJob(name);
        }
        QVERIFY(enabled("mni_DateiAlleSpeichern"));
        chooseSave(file("alle.cmd"), 1);
        trigger("mni_DateiAlleSpeichern");
        QCOMPARE(m_ui.saveRequests.at(0).filters.size(), std::size_t{2});
        QCOMPARE(tabCaptions(), (QStringList{QStringLiteral("alle.cmd #0"), QStringLiteral("alle.cmd #1"),
                                             QStringLiteral("alle.cmd #2")}));

        restart();
        chooseOpen(file("alle.cmd"));
        click("sbu_Oeffnen");
        QCOMPARE(m_window->jobCount(), 3);
        QCOMPARE(tabCaptions(), (QStringList{QStringLiteral("alle.cmd #0"), QStringLiteral("alle.cmd #1"),
                                             QStringLiteral("alle.cmd #2")}));
        QCOMPARE(m_window->jobWindow(2)->findChild<QLineEdit*>(QStringLiteral("edt_PSD"))->text(),
                 QStringLiteral("/srv/drei"));
    }

    void failedSaveAsKeepsTheJobAndSaysWhyInGerman() {
        fillCurrentJob("gescheitert");
        m_window->Timer1Timer();
        const QString tabBefore = m_window->tabButton(0)->text();
        const QString captionBefore = m_window->currentJob()->caption();
        chooseSave(file("fehlt/ordner/job.rcj"), 0);
        click("sbu_SpeichernUnter");
        m_window->Timer1Timer();
        QCOMPARE(m_window->tabButton(0)->text(), tabBefore);
        QCOMPARE(m_window->currentJob()->caption(), captionBefore);
        QVERIFY(m_window->currentJob()->state().jobFilePath().empty());
        QVERIFY(!m_ui.messages.empty());
        const std::string& message = m_ui.messages.back().text;
        QVERIFY2(message.find("Der Pfad wurde nicht gefunden") != std::string::npos, message.c_str());
    }

    // Cancel and Yes are the workspace's to test; here the window of the job goes with it.
    void closingAModifiedJobAsksFirst() {
        m_window->NewJob();
        fillCurrentJob("akten");
        QPointer<Tfrm_Job> modified = m_window->currentJob();
        m_ui.answers = {Answer::No};
        trigger("mni_Schliessen");
        QCOMPARE(m_window->jobCount(), 1);
        QVERIFY(modified.isNull());

        // No drops the changes: the only job is replaced by a fresh one.
        fillCurrentJob("weg");
        QPointer<Tfrm_Job> only = m_window->currentJob();
        m_ui.answers = {Answer::No};
        click("sbu_Schliessen");
        QCOMPARE(m_window->jobCount(), 1);
        QVERIFY(only.isNull());
        QVERIFY(!m_window->currentJob()->state().modifiedFlag());
        QCOMPARE(tabCaptions(), QStringList{QStringLiteral("*.rcj")});
        QVERIFY(!enabled("sbu_Speichern"));
        QVERIFY(!enabled("sbu_SpeichernUnter"));
    }

    void exitAsksAboutEveryModifiedJob() {
        fillCurrentJob("eins");
        click("sbu_Neu");
        fillCurrentJob("zwei");
        // Cancel for the first still asks about the second; the window stays.
        m_ui.answers = {Answer::Cancel, Answer::No};
        click("sbu_Beenden");
        QCOMPARE(m_ui.messages.size(), std::size_t{2});
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_window->jobCount(), 2);

        // The close box asks the same questions.
        m_ui.answers = {Answer::No, Answer::No};
        QVERIFY(m_window->close());
        QCOMPARE(m_ui.messages.size(), std::size_t{4});
        QVERIFY(!m_window->isVisible());
    }

    void defaultJobIsSavedLoadedAtStartAndDeleted() {
        QVERIFY(enabled("mni_EinstellungenSpeichern"));
        QVERIFY(!enabled("mni_EinstellungenLaden"));
        QVERIFY(!enabled("mni_EinstellungenLoeschen"));
        QVERIFY(!enabled("mni_NeuMitEinstellungen"));

        fillCurrentJob("vorgabe");
        trigger("mni_EinstellungenSpeichern");
        const std::string defaultJob = (m_settings->path() / "~default.rcj").string();
        QVERIFY(Exists(defaultJob));
        QVERIFY(enabled("mni_EinstellungenLaden"));
        QVERIFY(enabled("mni_EinstellungenLoeschen"));
        QVERIFY(find<QAction>("mni_NeuMitEinstellungen")->isChecked());

        // Started again, the first job is made from the default job, and not modified.
        QVERIFY(m_window->close());
        restart();
        Tfrm_Job* first = m_window->currentJob();
        QVERIFY(first->findChild<QCheckBox*>(QStringLiteral("chb_KMIR"))->isChecked());
        QCOMPARE(first->findChild<QLineEdit*>(QStringLiteral("edt_PSD"))->text(), QStringLiteral("/srv/vorgabe"));
        QVERIFY(!first->state().modifiedFlag());

        // The switch is remembered; off, a new job starts empty.
        trigger("mni_NeuMitEinstellungen");
        QVERIFY(!find<QAction>("mni_NeuMitEinstellungen")->isChecked());
        click("sbu_Neu");
        QVERIFY(!inJob<QCheckBox>("chb_KMIR")->isChecked());

        // Loading into a changed job asks first; No drops the change.
        inJob<QCheckBox>("chb_KS")->click();
        m_ui.answers = {Answer::No};
        trigger("mni_EinstellungenLaden");
        QVERIFY(inJob<QCheckBox>("chb_KMIR")->isChecked());

        m_ui.answers = {Answer::Yes};
        trigger("mni_EinstellungenLoeschen");
        QVERIFY(!Exists(defaultJob));
        // Nothing left to load or delete.
        QVERIFY(!enabled("mni_EinstellungenLaden"));
        QVERIFY(!enabled("mni_EinstellungenLoeschen"));
        QVERIFY(!enabled("mni_NeuMitEinstellungen"));
    }

    void keysRunTheirCommands() {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(m_window->jobCount(), 2);
        QTest::keyClick(m_window.get(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(m_window->jobCount(), 1);
        m_ui.openChoices = {std::nullopt};
        QTest::keyClick(m_window.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(m_ui.openRequests.size(), std::size_t{1});
        // Save As needs something to save; then Ctrl+Shift+S asks where to.
        fillCurrentJob("tasten");
        m_window->Timer1Timer();
        m_ui.saveChoices = {std::nullopt};
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(m_ui.saveRequests.size(), std::size_t{1});
        // The keys are shown beside the menu items.
        QCOMPARE(find<QAction>("mni_Start")->shortcut(), QKeySequence(Qt::Key_F5));
    }
};

QTEST_MAIN(FileCommandsTest)
#include "FileCommandsTest.moc"
