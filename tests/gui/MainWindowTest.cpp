// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "GuiTestSupport.h"
#include "core/presentation/WindowLayout.h"
#include "gui/Application.h"
#include "gui/mainwindow/Tfrm_Haupt.h"

using talvex::gui::Tfrm_Haupt;
using talvex::gui::Tfrm_Job;

class MainWindowTest : public talvex::guitest::MainWindowFixture {
    Q_OBJECT

private:
    void resizeClient(int width, int height) {
        m_window->resize(width, height + m_window->menuBar()->height());
        QCoreApplication::processEvents();
        QCOMPARE(find("pnl_Client")->size(), QSize(width, height));
    }

    // The tab buttons where the layout puts them; the layout's own figures are its test's concern.
    bool tabsFollowTheLayout(int stripWidth) {
        const auto slots =
            talvex::presentation::JobTabSlots(static_cast<std::size_t>(m_window->jobCount()), stripWidth);
        for (int i = 0; i < m_window->jobCount(); ++i) {
            const QToolButton* tab = m_window->tabButton(i);
            const talvex::presentation::TabSlot shown{tab->x(), tab->width()};
            if (!(shown == slots[static_cast<std::size_t>(i)])) {
                return false;
            }
        }
        return true;
    }

private Q_SLOTS:
    void initTestCase() { talvex::gui::InstallInterfaceFont(); }

    void init() {
        m_fakes.reset();
        m_window.open(m_fakes, "");
        resizeClient(540, 660);
    }

    void cleanup() { m_window.reset(); }

    void startsWithOneFreshJobAndTheDesignFrame() {
        QCOMPARE(m_window->jobCount(), 1);
        QCOMPARE(m_window->tabButton(0)->text(), QStringLiteral("*.rcj"));
        QCOMPARE(find("pnl_Left")->geometry(), QRect(0, 0, 76, 635));
        QCOMPARE(find("sbu_Robocopy")->geometry(), QRect(0, 641, 540, 19));
        QCOMPARE(find("pnl_JobButton")->geometry(), QRect(78, 620, 462, 21));
        QCOMPARE(find("pnl_JobForm")->geometry(), QRect(78, -3, 462, 621));
        // The job window fills the job area.
        QCOMPARE(m_window->currentJob()->geometry(), QRect(QPoint(0, 0), QSize(462, 621)));
        // Nothing to save or start in a fresh job.
        for (const char* name : {"sbu_Speichern", "sbu_SpeichernUnter", "sbu_Start"}) {
            QVERIFY2(!find(name)->isEnabled(), name);
        }
        for (const char* name : {"sbu_Neu", "sbu_Oeffnen", "sbu_Schliessen", "sbu_Beenden", "sbu_Info"}) {
            QVERIFY2(find(name)->isEnabled(), name);
        }
        QVERIFY(!find<QAction>("mni_Start")->isEnabled());
        QVERIFY(find<QAction>("mni_DateiNeu")->isEnabled());
    }

    void buttonColumnStaysCentred() {
        for (int height : {660, 800, 549}) {
            resizeClient(540, height);
            const int left = height - 25;
            QCOMPARE(find("pnl_Left")->height(), left);
            const int half = (left - 524) / 2;
            QCOMPARE(find("pnl_Button")->y(), half + 2);
            QCOMPARE(find("pnl_Button")->height(), left - (half + 2) - (half - 2));
            QCOMPARE(find("sbu_Info")->geometry(), QRect(4, 452, 60, 60));
        }
    }

    void everyCommandButtonIsReachableAtTheMinimumSize() {
        m_window->resize(100, 100);
        QCoreApplication::processEvents();
        QWidget* left = find("pnl_Left");
        for (const char* name : {"sbu_Neu", "sbu_Oeffnen", "sbu_Speichern", "sbu_SpeichernUnter", "sbu_Start",
                                 "sbu_Schliessen", "sbu_Beenden", "sbu_Info"}) {
            QWidget* button = find(name);
            QVERIFY2(left->rect().contains(QRect(button->mapTo(left, QPoint(0, 0)), button->size())), name);
        }
    }

    void tabCaptionsAreCutInTheMiddleAndShowAmpersands() {
        Tfrm_Job* job = m_window->currentJob();
        job->state().setJobFilePath("/home/anna/R&D.rcj");
        job->state().SetJobFlags(false, true, false);
        m_window->Timer1Timer();
        QCOMPARE(m_window->tabButton(0)->text(), QStringLiteral("R&&D.rcj"));

        // Six long names share the strip: each is cut in the middle and shown whole as the tooltip.
        const QString name = QStringLiteral("Sicherung der Projektdaten zum Jahresabschluss %1.rcj");
        for (int i = 1; i < 6; ++i) {
            m_window->NewJob();
        }
        for (int i = 0; i < 6; ++i) {
            m_window->SelectJob(i);
            m_window->currentJob()->state().setJobFilePath("/srv/" + name.arg(i).toStdString());
            m_window->currentJob()->state().SetJobFlags(false, true, false);
            m_window->Timer1Timer();
        }
        for (int i = 0; i < 6; ++i) {
            QToolButton* tab = m_window->tabButton(i);
            const QString shown = tab->text();
            QCOMPARE(tab->toolTip(), name.arg(i));
            QVERIFY2(shown.startsWith(QLatin1Char('S')) && shown.contains(QChar(0x2026)) &&
                         shown.endsWith(QString::number(i) + QStringLiteral(".rcj")),
                     qPrintable(shown));
            QVERIFY(tab->fontMetrics().horizontalAdvance(shown) < tab->width());
        }
    }

    void keysSwitchJobsWhereverTheFocusIs() {
        m_window->NewJob();
        m_window->NewJob();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        inJob("chb_PNoSD")->setFocus();
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int current;
        } steps[] = {
            {Qt::Key_Tab, Qt::ControlModifier, 0}, // wraps round
            {Qt::Key_Tab, Qt::ControlModifier, 1},    {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0},
            {Qt::Key_PageUp, Qt::ControlModifier, 2}, {Qt::Key_PageDown, Qt::ControlModifier, 0},
        };
        for (const auto& step : steps) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : m_window.get(), step.key, step.modifiers);
            QCOMPARE(m_window->currentJobIndex(), step.current);
        }
    }

    // Five jobs: the strip shares its width; four: each tab has its own.
    void closingMovesLaterJobsDownAndSelectsTheFirst() {
        resizeClient(78 + 584, 660);
        for (int i = 0; i < 4; ++i) {
            m_window->NewJob();
            QVERIFY(tabsFollowTheLayout(584));
        }
        QVERIFY(m_window->tabButton(4)->isChecked());
        m_window->SelectJob(3);
        Tfrm_Job* fourth = m_window->jobWindow(3);
        fourth->state().setJobFilePath("/home/anna/vier.rcj");
        fourth->state().SetJobFlags(false, true, false);
        m_window->Timer1Timer();
        QCOMPARE(m_window->tabButton(3)->text(), QStringLiteral("vier.rcj"));

        m_window->tabButton(2)->click();
        QCOMPARE(m_window->currentJobIndex(), 2);
        m_window->CloseJob();

        QCOMPARE(m_window->jobCount(), 4);
        QVERIFY(tabsFollowTheLayout(584));
        QCOMPARE(m_window->jobWindow(2), fourth);
        QCOMPARE(m_window->tabButton(2)->text(), QStringLiteral("vier.rcj"));
        QCOMPARE(m_window->currentJobIndex(), 0);
        QVERIFY(m_window->tabButton(0)->isChecked());
        QVERIFY(m_window->jobWindow(0)->isVisible());
        QVERIFY(!fourth->isVisible());
    }

    void timerFollowsOnlyTheCurrentJob() {
        m_window->NewJob();
        Tfrm_Job* first = m_window->jobWindow(0);
        Tfrm_Job* second = m_window->jobWindow(1);
        m_window->Timer1Timer();
        QVERIFY(!second->state().stateChangedFlag());

        first->state().setJobFilePath("/tmp/eins.rcj");
        first->state().setModifiedFlag(true);
        m_window->Timer1Timer();
        // Job 0 is not current: its raised flag waits.
        QVERIFY(first->state().stateChangedFlag());
        QCOMPARE(m_window->tabButton(0)->text(), QStringLiteral("*.rcj"));

        m_window->tabButton(0)->click();
        m_window->Timer1Timer();
        QVERIFY(!first->state().stateChangedFlag());
        QCOMPARE(m_window->tabButton(0)->text(), QStringLiteral("eins.rcj"));
        QCOMPARE(find<QToolButton>("sbu_Start")->text(), QStringLiteral("Start"));
    }

    void buttonsFollowTheJobBroughtToTheFront() {
        inJob<QCheckBox>("chb_KS")->click();
        m_window->Timer1Timer();
        QVERIFY(find("sbu_Speichern")->isEnabled());
        m_window->NewJob();
        QVERIFY(!find("sbu_Speichern")->isEnabled());
        // Without waiting for a tick: the modified job in front can be saved again.
        m_window->tabButton(0)->click();
        QVERIFY(find("sbu_Speichern")->isEnabled());
        QVERIFY(find<QAction>("mni_DateiAlleSpeichern")->isEnabled());
    }

    void switchingJobsKeepsTheirFolders() {
        // Bringing a job to the front shows its window again; that must not empty its folders.
        m_ui.folderChoices = {std::string("/srv/quelle")};
        auto* source = inJob<QLineEdit>("edt_PSD");
        QTest::mouseClick(source, Qt::LeftButton);
        m_window->NewJob();
        m_window->tabButton(0)->click();
        QCOMPARE(inJob<QLineEdit>("edt_PSD"), source);
        QCOMPARE(source->text(), QStringLiteral("/srv/quelle"));
        QVERIFY(!inJob<QCheckBox>("chb_PNoSD")->isChecked());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
