// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QToolButton>

#include "GuiTestSupport.h"
#include "core/settings/IniStore.h"
#include "gui/Application.h"
#include "gui/Pictures.h"
#include "gui/jobwindow/LogView.h"
#include "gui/mainwindow/Tfrm_Haupt.h"

using talvex::gui::Tfrm_Haupt;

namespace {

bool ShowsPicture(const QToolButton* button, talvex::gui::Picture picture) {
    const QSize size(32, 32);
    return button->icon().pixmap(size).toImage() == talvex::gui::PictureIcon(picture).pixmap(size).toImage();
}

} // namespace

// Start and Stop from the main window: the bundled robocopy engine copies a temporary tree through
// the real runner, and a scripted child shows what reaches the log and how Stop ends a run.
class RunJobTest : public talvex::guitest::FolderWindowFixture {
    Q_OBJECT

private:
    /// Both folders and /E, as a user would.
    void prepareCopy(const QString& source, const QString& destination) {
        prepareJob(source, destination);
        inJob<QCheckBox>("chb_KE")->click();
        m_window->Timer1Timer();
    }

private Q_SLOTS:
    void initTestCase() { talvex::gui::InstallInterfaceFont(); }
    void init() { makeFolder(); }
    void cleanup() { dropWindow(); }

    void runCopiesTheTreeAndShowsTheOutput_data() {
        QTest::addColumn<QString>("modeItem");
        QTest::newRow("command line") << "mnu_AusfuehrenJobCmd";
        QTest::newRow("temporary job file") << "mnu_AusfuehrenJobTmp";
    }

    void runCopiesTheTreeAndShowsTheOutput() {
        QFETCH(QString, modeItem);
        QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("quelle/unter")));
        QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("ziel")));
        QVERIFY(writeFile(QStringLiteral("quelle/eins.txt"), "eins"));
        QVERIFY(writeFile(QStringLiteral("quelle/unter/zwei.txt"), "zwei"));
        // The bundled robocopy beside the test programs.
        openWindow(QString::fromUtf8(TALVEX_BIN_DIR));
        m_window->findChild<QAction*>(modeItem)->trigger();
        prepareCopy(path(QStringLiteral("quelle")), path(QStringLiteral("ziel")));

        auto* start = find<QToolButton>("sbu_Start");
        QVERIFY(start->isEnabled());
        start->click();
        QTRY_COMPARE_WITH_TIMEOUT(start->text(), QStringLiteral("Start"), 20000);
        QTRY_VERIFY(log()->text().contains(QStringLiteral("Ausführung beendet.")));

        QVERIFY(QFile::exists(path(QStringLiteral("ziel/eins.txt"))));
        QVERIFY(QFile::exists(path(QStringLiteral("ziel/unter/zwei.txt"))));
        const QString text = log()->text();
        QVERIFY2(text.contains(QStringLiteral("ROBOCOPY")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("zwei.txt")));
        QVERIFY2(find("sbu_Schliessen")->isEnabled(), "closing works again after the run");
        if (modeItem == QLatin1String("mnu_AusfuehrenJobTmp")) {
            QVERIFY(QFile::exists(path(QStringLiteral("settings/~tmp.rcj"))));
        }
    }

    void childOutputReachesTheJobLogAndStopEndsIt() {
        openWindow();
        m_fakes.child.chunks = {"Zeile eins\n", "Zeile zwei\n"};
        m_fakes.child.endsByItself = false;
        find<QAction>("mni_VorabZaehlen")->setChecked(false);
        find<QAction>("mni_AusfuehrenRoboMaxi")->trigger();
        prepareCopy(QStringLiteral("/srv/quelle"), QStringLiteral("/srv/ziel"));

        auto* start = find<QToolButton>("sbu_Start");
        start->click();
        QTRY_VERIFY(log()->text().contains(QStringLiteral("Zeile zwei")));
        QTRY_COMPARE(start->text(), QStringLiteral("Stop"));
        QVERIFY(ShowsPicture(start, talvex::gui::Picture::Stop));
        QCOMPARE(m_fakes.child.commandLines.size(), std::size_t{1});
        QVERIFY(m_fakes.child.commandLines[0].find("/srv/quelle") != std::string::npos);
        QVERIFY(m_fakes.child.startOptions[0].showMode == talvex::platform::ShowMode::Maximised);

        // The job whose output arrives cannot be closed meanwhile; another job can be selected and
        // Stop stays usable there.
        QVERIFY(!find("sbu_Schliessen")->isEnabled());
        m_window->NewJob();
        m_window->Timer1Timer();
        QVERIFY(start->isEnabled());

        start->click();
        QTRY_COMPARE(start->text(), QStringLiteral("Start"));
        QVERIFY(ShowsPicture(start, talvex::gui::Picture::Start));
        QCOMPARE(m_fakes.child.terminations, 1);
        m_window->SelectJob(0);
        const QString text = log()->text();
        QVERIFY(text.contains(QStringLiteral("Die Ausführung wurde abgebrochen.")));
        QVERIFY(text.indexOf(QStringLiteral("abgebrochen")) < text.indexOf(QStringLiteral("Ausführung beendet.")));
        QVERIFY(find("sbu_Schliessen")->isEnabled());
    }

    void runModesOutsideTheMenuRunWithTheDefaults() {
        // A hand-edited file: a mode with no menu item must neither run nothing nor hand the
        // runner a window state that does not exist.
        {
            talvex::settings::IniStore store(path(QStringLiteral("settings/Talvex.ini")).toStdString(),
                                             talvex::settings::IniEncoding::Utf16LeWithMark);
            store.writeInteger("Execute", "Window", 7);
            store.writeInteger("Execute", "Job", 2);
            store.writeBool("Execute", "CountFirst", false);
            QVERIFY(!store.writeBack());
        }
        openWindow();
        QVERIFY(find<QAction>("mni_AusfuehrenRoboHide")->isChecked());
        QVERIFY(find<QAction>("mnu_AusfuehrenJobCmd")->isChecked());
        prepareCopy(QStringLiteral("/srv/quelle"), QStringLiteral("/srv/ziel"));
        auto* start = find<QToolButton>("sbu_Start");
        start->click();
        QTRY_COMPARE(start->text(), QStringLiteral("Start"));
        QCOMPARE(m_fakes.child.commandLines.size(), std::size_t{1});
        QVERIFY(m_fakes.child.startOptions[0].showMode == talvex::platform::ShowMode::Hidden);
        QVERIFY(!QFile::exists(path(QStringLiteral("settings/~tmp.rcj"))));

        // Nothing was chosen, so the file keeps what its user wrote.
        m_ui.answers = {talvex::Answer::No};
        QVERIFY(m_window->close());
        const auto after = talvex::settings::IniStore::Open(path(QStringLiteral("settings/Talvex.ini")).toStdString(),
                                                            talvex::settings::IniEncoding::Utf16LeWithMark);
        QCOMPARE(after.store.readInteger("Execute", "Window", 0), 7);
        QCOMPARE(after.store.readInteger("Execute", "Job", 0), 2);
    }
};

QTEST_MAIN(RunJobTest)
#include "RunJobTest.moc"
