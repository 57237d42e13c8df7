// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <map>
#include <memory>

#include "GuiTestSupport.h"
#include "core/options/OptionCatalogue.h"
#include "core/presentation/WindowLayout.h"
#include "core/services/LogSink.h"
#include "gui/Application.h"
#include "gui/jobwindow/LogView.h"
#include "gui/jobwindow/Tfrm_Job.h"

using talvex::LogColour;
using talvex::gui::Tfrm_Job;
using talvex::options::Control;
using talvex::options::Tab;
using talvex::presentation::LayoutJobPage;
using talvex::presentation::Placement;

class JobWindowTest : public QObject {
    Q_OBJECT

private:
    talvex::guitest::FakeServices m_fakes;
    talvex::fakes::ScriptedUserInterface& m_ui = m_fakes.ui;
    talvex::fakes::FakeVolumeProbes& m_volumes = m_fakes.volumes;
    std::unique_ptr<Tfrm_Job> m_window;

    template <typename T = QWidget>
    T* find(const char* name) {
        return talvex::guitest::Find<T>(m_window.get(), name);
    }

    // The client area (below the caption strip) gets the given size, as in the main window.
    void resizeClient(int width, int height) {
        m_window->resize(width, height + find("lbl_Caption")->height());
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase() { talvex::gui::InstallInterfaceFont(); }

    void init() {
        m_fakes.reset();
        m_window = std::make_unique<Tfrm_Job>(m_fakes.services(), nullptr);
        m_window->show();
        resizeClient(394, 479);
    }

    void cleanup() { m_window.reset(); }

    void everyControlHasItsWidget() {
        for (const talvex::options::ControlInfo& info : talvex::options::Controls()) {
            const QString name = QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size()));
            QVERIFY2(m_window->findChild<QWidget*>(name) != nullptr, qPrintable(name));
        }
    }

    void tabWidthFollowsImageView() {
        auto* pages = find<QTabWidget>("pgc_Optionen");
        QCOMPARE(pages->width(), 394);
        QVERIFY(!pages->isTabVisible(5));
        QTRY_COMPARE(pages->tabBar()->tabRect(0).width(), 68); // 393 div 5 - 10

        m_window->setImageView(true);
        QVERIFY(pages->isTabVisible(5));
        QTRY_COMPARE(pages->tabBar()->tabRect(0).width(), 55); // 393 div 6 - 10
    }

    // Every rule of the layout reaches its widget on every page, at the design width and wider; the
    // rules' arithmetic is the layout's own concern.
    void pagesFollowTheLayoutRules() {
        m_window->setImageView(true);
        auto* pages = find<QTabWidget>("pgc_Optionen");
        for (int clientWidth : {394, 620}) {
            resizeClient(clientWidth, 479);
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                QWidget* page = pages->widget(i);
                const int t = page->width();
                QVERIFY2(t > clientWidth - 12 && t <= clientWidth, qPrintable(QString::number(t)));
                // A control placed twice ends where its last rule puts it.
                std::map<std::string, QRect> expected;
                for (const Placement& placement : LayoutJobPage(static_cast<Tab>(i), t)) {
                    const std::string name(placement.control);
                    QRect& rect =
                        expected.try_emplace(name, talvex::guitest::Find(page, name.c_str())->geometry()).first->second;
                    rect.moveLeft(placement.left.value_or(rect.left()));
                    rect.setWidth(placement.width.value_or(rect.width()));
                }
                for (const auto& [name, rect] : expected) {
                    const QWidget* widget = talvex::guitest::Find(page, name.c_str());
                    QCOMPARE(widget->x(), rect.x());
                    QCOMPARE(widget->width(), rect.width());
                }
            }
        }
    }

    void clickingMirrorsTheCouplingIntoTheWidgets() {
        find<QTabWidget>("pgc_Optionen")->setCurrentIndex(1);
        auto* mir = find<QCheckBox>("chb_KMIR");
        auto* e = find<QCheckBox>("chb_KE");
        QTest::mouseClick(e, Qt::LeftButton);
        QVERIFY(e->isChecked());

        QTest::mouseClick(mir, Qt::LeftButton);
        QVERIFY(mir->isChecked());
        for (const char* name : {"chb_KE", "chb_KS", "chb_KPURGE"}) {
            QVERIFY2(!find(name)->isEnabled(), name);
        }
        QVERIFY2(e->isChecked(), "a disabled box keeps its tick");
        QVERIFY(!m_window->state().IsOptionSet(Control::chb_KE));

        QTest::mouseClick(mir, Qt::LeftButton);
        for (const char* name : {"chb_KE", "chb_KS", "chb_KPURGE"}) {
            QVERIFY2(find(name)->isEnabled(), name);
        }

        // Rival boxes: /S unticks /E in the widget too; value fields follow their box.
        QTest::mouseClick(find<QCheckBox>("chb_KS"), Qt::LeftButton);
        QVERIFY(!e->isChecked());
        QVERIFY(!find("edt_KLEV")->isEnabled());
        QTest::mouseClick(find<QCheckBox>("chb_KLEV"), Qt::LeftButton);
        QVERIFY(find("edt_KLEV")->isEnabled());

        // A box its own click ticks again (/NOSD without a source) shows the tick.
        find<QTabWidget>("pgc_Optionen")->setCurrentIndex(0);
        QTest::mouseClick(find<QCheckBox>("chb_PNoSD"), Qt::LeftButton);
        QVERIFY(find<QCheckBox>("chb_PNoSD")->isChecked());
    }

    void typingReachesTheModelAndItsRules() {
        find<QTabWidget>("pgc_Optionen")->setCurrentIndex(1);
        QTest::mouseClick(find<QCheckBox>("chb_KR"), Qt::LeftButton);
        auto* retries = find<QLineEdit>("edt_KR");
        retries->clear();
        QTest::keyClicks(retries, "5");
        QCOMPARE(m_window->state().text(Control::edt_KR), std::string("5"));

        // Every "/" of a path typed key by key stays; a separator at the end goes when the field
        // is left.
        find<QTabWidget>("pgc_Optionen")->setCurrentIndex(3);
        auto* logFile = find<QLineEdit>("edt_LLOG");
        QTest::keyClicks(logFile, "/tmp/logs/x.txt");
        QCOMPARE(logFile->text(), QStringLiteral("/tmp/logs/x.txt"));
        logFile->clear();
        QTest::keyClicks(logFile, "C:\\Logs\\");
        QCOMPARE(m_window->state().text(Control::edt_LLOG), std::string("C:\\Logs\\"));
        QTest::keyClick(logFile, Qt::Key_Return);
        QCOMPARE(logFile->text(), QStringLiteral("C:\\Logs"));
    }

    void captionCarriesTheModifiedMarker() {
        QSignalSpy spy(m_window.get(), &Tfrm_Job::captionRefreshed);
        auto* caption = find<QLabel>("lbl_Caption");
        QCOMPARE(caption->text(), QStringLiteral("*.rcj"));
        find<QTabWidget>("pgc_Optionen")->setCurrentIndex(3);
        QTest::mouseClick(find<QCheckBox>("chb_LV"), Qt::LeftButton);
        QCOMPARE(caption->text(), QStringLiteral("*.rcj [geändert]"));
        QCOMPARE(m_window->windowTitle(), caption->text());
        QCOMPARE(spy.count(), 1);

        // Flags set from outside a click reach the label too.
        m_window->state().SetJobFlags(false, true, false);
        QCOMPARE(caption->text(), QStringLiteral("*.rcj"));
    }

    void choosingFoldersFillsFieldsAndLabels() {
        m_volumes.fileSystems["/srv/Bücher"] = "ext4";
        m_volumes.fileSystems["/media/stick"] = "vfat";
        m_ui.folderChoices = {std::string("/srv/Bücher/"), std::string("/media/stick")};
        QCOMPARE(find<QLabel>("lbl_SDE")->text(), QStringLiteral("k. A."));
        QTest::mouseClick(find<QLineEdit>("edt_PSD"), Qt::LeftButton);
        QCOMPARE(find<QLineEdit>("edt_PSD")->text(), QStringLiteral("/srv/Bücher"));
        QVERIFY(!find<QCheckBox>("chb_PNoSD")->isChecked());
        QCOMPARE(find<QLabel>("lbl_SDE")->text(), QStringLiteral("ext4"));
        // A path outside ASCII ticks /UNICODE.
        QVERIFY(find<QCheckBox>("chb_LUNICODE")->isChecked());

        QTest::mouseClick(find<QLineEdit>("edt_PDD"), Qt::LeftButton);
        QCOMPARE(find<QLineEdit>("edt_PDD")->text(), QStringLiteral("/media/stick"));
        QCOMPARE(find<QLabel>("lbl_DDE")->text(), QStringLiteral("vfat"));
        QVERIFY(m_window->state().readyFlag());

        // Cancelling the chooser changes nothing.
        m_ui.folderChoices = {std::nullopt};
        QTest::mouseClick(find<QLineEdit>("edt_PSD"), Qt::LeftButton);
        QCOMPARE(find<QLineEdit>("edt_PSD")->text(), QStringLiteral("/srv/Bücher"));
    }

    void fileChoosersFillTheirFields() {
        // The log-file field opens its chooser on a click and takes the file as a .log file. The
        // file may not exist yet: the chooser is a save dialog that does not ask before replacing.
        m_ui.saveChoices = {talvex::FileDialogResult{"/srv/protokolle/neu.txt", 0}, std::nullopt};
        auto* logFile = find<QLineEdit>("edt_LLOG");
        QTest::mouseClick(logFile, Qt::LeftButton);
        QCOMPARE(logFile->text(), QStringLiteral("/srv/protokolle/neu.log"));
        QCOMPARE(m_ui.saveRequests.back().filters.size(), 2U);
        QCOMPARE(m_ui.saveRequests.back().filters[0].caption, std::string("Logdateien (*.log)"));
        QVERIFY(!m_ui.saveRequests.back().confirmOverwrite);
        // Cancelled: the field keeps its text.
        QTest::mouseClick(logFile, Qt::LeftButton);
        QCOMPARE(logFile->text(), QStringLiteral("/srv/protokolle/neu.log"));

        m_ui.saveChoices = {talvex::FileDialogResult{"/srv/abbild.iso", 0}};
        m_window->setImageView(true);
        QTest::mouseClick(find<QLineEdit>("edt_IImage"), Qt::LeftButton);
        QCOMPARE(find<QLineEdit>("edt_IImage")->text(), QStringLiteral("/srv/abbild.iso"));
    }

    void logViewColoursLinesAndFollowsTheNewest() {
        auto* log = find<talvex::gui::LogView>("red_Log");
        talvex::LogSink& sink = m_window->log();
        sink.appendLine("Job erstellen...", LogColour::Green);
        sink.appendLine("", LogColour::Black);
        sink.appendLine("FEHLER", LogColour::Red);
        sink.appendLine("a\tb", LogColour::Navy);
        QCOMPARE(log->text(), QStringLiteral("Job erstellen...\n\nFEHLER\na       b"));
        QCOMPARE(log->lineColour(0), QColor(0, 128, 0));
        QCOMPARE(log->lineColour(2), QColor(255, 0, 0));
        QCOMPARE(log->lineColour(3), QColor(0, 0, 128));
        QVERIFY(QFontInfo(log->font()).fixedPitch());

        for (int i = 0; i < 500; ++i) {
            sink.appendLine("line", LogColour::Black);
        }
        QTRY_VERIFY(log->showsLastLine());
        QVERIFY(log->verticalScrollBar()->maximum() > 0);
        // Short lines need no horizontal scrolling; a long one can be scrolled to its end.
        QCOMPARE(log->horizontalScrollBar()->maximum(), 0);
        sink.appendLine(std::string(300, 'x'), LogColour::Black);
        QTRY_VERIFY(log->horizontalScrollBar()->maximum() > 0);
        const int lineWidth = QFontMetrics(log->font()).horizontalAdvance(QString(300, QLatin1Char('x')));
        QVERIFY(log->horizontalScrollBar()->maximum() + log->viewport()->width() >= lineWidth);
        // A taller view keeps following the newest line.
        resizeClient(394, 700);
        QVERIFY(log->showsLastLine());

        // A user who scrolled up to read stays there while lines stream in; End follows again.
        QTest::keyClick(log, Qt::Key_PageUp);
        const int readingAt = log->verticalScrollBar()->value();
        for (int i = 0; i < 50; ++i) {
            sink.appendLine("more", LogColour::Black);
        }
        QCoreApplication::processEvents();
        QCOMPARE(log->verticalScrollBar()->value(), readingAt);
        QTest::keyClick(log, Qt::Key_End);
        sink.appendLine("newest", LogColour::Black);
        QTRY_VERIFY(log->showsLastLine());
    }

    // The point just right of the start of the column in the line, as the view is scrolled now.
    static QPoint logPoint(const talvex::gui::LogView* log, int line, int column) {
        constexpr int kMargin = 3; // the view's space around its text
        const QFontMetrics metrics(log->font());
        const QString text = log->lineText(line);
        const int x = kMargin + (column == 0 ? 0 : metrics.horizontalAdvance(text, column)) + 1;
        const int row = line - log->verticalScrollBar()->value();
        return {x - log->horizontalScrollBar()->value(),
                kMargin + row * metrics.lineSpacing() + metrics.lineSpacing() / 2};
    }

    static void dragAcross(talvex::gui::LogView* log, QPoint from, QPoint to) {
        QTest::mousePress(log->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(log->viewport(), (from + to) / 2);
        QTest::mouseMove(log->viewport(), to);
        QTest::mouseRelease(log->viewport(), Qt::LeftButton, {}, to);
    }

    static QString copiedWithKeys(talvex::gui::LogView* log) {
        QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));
        QTest::keyClick(log, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    }

    void logMouseSelectionCopiesWithCtrlC_data() {
        QTest::addColumn<QPoint>("from"); // line, column
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("copied");
        QTest::newRow("within a line") << QPoint(0, 0) << QPoint(0, 4) << "eins";
        QTest::newRow("right to left") << QPoint(0, 9) << QPoint(0, 5) << "zwei";
        QTest::newRow("across lines, tab expanded") << QPoint(0, 5) << QPoint(2, 2) << "zwei\ndrei    vier\nfu";
        QTest::newRow("upwards across lines") << QPoint(2, 2) << QPoint(1, 10) << "er\nfu";
        QTest::newRow("line ends included") << QPoint(1, 0) << QPoint(2, 0) << "drei    vier\n";
        QTest::newRow("a click selects nothing") << QPoint(1, 3) << QPoint(1, 3) << "vorher";
        QTest::newRow("umlaut counts once") << QPoint(3, 0) << QPoint(3, 3) << QStringLiteral("gr\u00fc");
    }

    void logMouseSelectionCopiesWithCtrlC() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QString, copied);
        auto* log = find<talvex::gui::LogView>("red_Log");
        for (const char* line : {"eins zwei", "drei\tvier", "fuenf", "gr\xc3\xbcn"}) {
            m_window->log().appendLine(line, LogColour::Black);
        }
        QCoreApplication::processEvents();
        dragAcross(log, logPoint(log, from.x(), from.y()), logPoint(log, to.x(), to.y()));
        QCOMPARE(copiedWithKeys(log), copied);
    }

    void logSelectionWordsScrollingAndPopupMenu() {
        auto* log = find<talvex::gui::LogView>("red_Log");
        auto* menu = find<QMenu>("pmn_Log");
        QAction* copySelection = menu->findChild<QAction*>(QStringLiteral("pmi_Auswahl"));
        QAction* copyAll = menu->findChild<QAction*>(QStringLiteral("pmi_ZwAblage"));
        QAction* clear = menu->findChild<QAction*>(QStringLiteral("pmi_Loeschen"));
        QVERIFY(copySelection != nullptr && copyAll != nullptr && clear != nullptr);
        // An empty log puts an empty text on the clipboard.
        QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));
        copyAll->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
        for (int i = 0; i < 200; ++i) {
            m_window->log().appendLine("Neue Datei \t 12 C:\\Daten\\" + std::to_string(i) + ".txt", LogColour::Black);
        }
        QTRY_VERIFY(log->showsLastLine());
        Q_EMIT menu->aboutToShow();
        QVERIFY(!copySelection->isEnabled());

        // A double click takes the word under the mouse, in the line shown there after scrolling.
        const int top = log->verticalScrollBar()->value();
        QVERIFY(top > 0);
        QTest::mouseDClick(log->viewport(), Qt::LeftButton, {}, logPoint(log, top + 1, 28));
        const QString word = QStringLiteral("C:\\Daten\\%1.txt").arg(top + 1);
        QCOMPARE(log->selectedText(), word);
        Q_EMIT menu->aboutToShow();
        QVERIFY(copySelection->isEnabled());
        copySelection->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), word);
        // The popup menu's copy still takes the whole log, whatever is selected.
        copyAll->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), log->text());

        // Dragging above the view scrolls it up and takes the lines passed.
        QTest::mousePress(log->viewport(), Qt::LeftButton, {}, logPoint(log, top + 1, 0));
        QTest::mouseMove(log->viewport(), QPoint(10, -20));
        QTRY_VERIFY(log->verticalScrollBar()->value() < top - 2);
        QTest::mouseRelease(log->viewport(), Qt::LeftButton, {}, QPoint(10, -20));
        const int reached = log->verticalScrollBar()->value();
        const QString passed = log->selectedText();
        QVERIFY(passed.contains(log->lineText(reached) + QLatin1Char('\n')));
        QVERIFY(passed.endsWith(log->lineText(top) + QLatin1Char('\n')));

        QTest::keyClick(log, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(copiedWithKeys(log), log->text());
        // Emptying the log drops the selection and the scrolling with it.
        clear->trigger();
        QVERIFY(!log->hasSelection());
        QCOMPARE(copiedWithKeys(log), QStringLiteral("vorher"));
        QCOMPARE(log->lineCount(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(log->verticalScrollBar()->maximum(), 0);
        m_window->log().appendLine("drei", LogColour::Black);
        QCOMPARE(log->text(), QStringLiteral("drei"));
    }

    void viewButtonsSwitchBetweenSplitAndFullLog() {
        auto* full = find<QToolButton>("sbu_Seite");
        auto* split = find<QToolButton>("sbu_Teil");
        auto* logPanel = find("pnl_Log");
        QVERIFY(full->isEnabled());
        QVERIFY(!split->isEnabled());
        QCOMPARE(logPanel->y(), 289 + 4);
        QCOMPARE(logPanel->height(), 479 - 293 - 2);
        // The log and, below it, the run panel share the log panel under the button strip.
        QCOMPARE(find("red_Log")->height() + find("pnl_Run")->height(), logPanel->height() - 18);
        QCOMPARE(find("pnl_Run")->y(), find("red_Log")->geometry().bottom() + 1);

        QTest::mouseClick(full, Qt::LeftButton);
        QVERIFY(find("pnl_Page")->isHidden());
        QVERIFY(!full->isEnabled());
        QVERIFY(split->isEnabled());
        QCOMPARE(logPanel->y(), 0);
        QCOMPARE(logPanel->height(), 479 - 2);

        QTest::mouseClick(split, Qt::LeftButton);
        QVERIFY(!find("pnl_Page")->isHidden());
        QCOMPARE(logPanel->y(), 293);
    }

    void hintsFollowTheirMode() {
        auto* pages = find<QTabWidget>("pgc_Optionen");
        pages->setCurrentIndex(1);
        const QString description = QStringLiteral("Kopieren aller Unterverzeichnisse mit Ausnahme der leeren.");
        QVERIFY(find("chb_KS")->toolTip().contains(description));
        QVERIFY(find("chb_FID")->toolTip().contains(QStringLiteral("einschliessen")));

        m_window->setTooltipps(true);
        QVERIFY(find("chb_KS")->toolTip().contains(description));
        QVERIFY2(find("chb_KS")->toolTip().contains(QStringLiteral("Kopieren</b>")), "titled with the page");
        QVERIFY2(find("chb_FID")->toolTip().isEmpty(), "no balloon for /ID");
        // The title follows the page shown.
        pages->setCurrentIndex(3);
        QVERIFY(find("chb_KS")->toolTip().contains(QStringLiteral("Log, Fehler</b>")));

        m_window->setTooltipps(false);
        QVERIFY(!find("chb_KS")->toolTip().contains(QStringLiteral("</b>")));
    }

    void hintsNameSwitchesTheBundledEngineDoesNotCarryOut() {
        const QString note = QStringLiteral("führt diesen Schalter noch nicht aus");
        m_window->setBundledEngine(true);
        // The engine now carries out every switch the window offers: the note, driven by the engine's
        // own list, has gone from every control.
        for (QWidget* widget : m_window->findChildren<QWidget*>()) {
            QVERIFY2(!widget->toolTip().contains(note), qPrintable(widget->objectName()));
        }
    }

    void maxdelIsOfferedOnlyWhereOurEngineRuns() {
        // robocopy refuses /MAXDEL; a job that carries it must still show it, or a user could not untick it.
        QWidget* box = find("chb_MMAXDEL");
        QVERIFY(box->isHidden() && find("edt_MMAXDEL")->isHidden());
        m_window->setBundledEngine(true);
        QVERIFY(!box->isHidden() && !find("edt_MMAXDEL")->isHidden());
        m_window->state().setTicked(Control::chb_MMAXDEL, true);
        m_window->setBundledEngine(false);
        QVERIFY(!box->isHidden());
        QCOMPARE(find<QLineEdit>("edt_MMAXDEL")->text(), QStringLiteral("100"));
        m_window->state().setTicked(Control::chb_MMAXDEL, false);
        QVERIFY(box->isHidden());
    }

    void keysOpenChoosersAndReachEveryControl() {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        // Return, Space and F4 open a folder field's chooser; the typed-in log field opens it with F4.
        m_ui.folderChoices = {std::nullopt, std::nullopt, std::nullopt};
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_F4}) {
            QTest::keyClick(find("edt_PSD"), key);
        }
        QCOMPARE(m_ui.folderTitles.size(), std::size_t{3});
        m_ui.saveChoices = {std::nullopt};
        QTest::keyClick(find("edt_LLOG"), Qt::Key_Return);
        QTest::keyClick(find("edt_LLOG"), Qt::Key_F4);
        QCOMPARE(m_ui.saveRequests.size(), std::size_t{1});

        // Tab walks the page shown and then the log below it, and comes round again.
        find("chb_PNoSD")->setFocus();
        QStringList reached;
        for (int i = 0; i < 20 && !reached.contains(QStringLiteral("red_Log")); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        QVERIFY2(reached.contains(QStringLiteral("edt_PDD")), qPrintable(reached.join(',')));
        QVERIFY2(reached.indexOf(QStringLiteral("edt_PDD")) < reached.indexOf(QStringLiteral("red_Log")),
                 qPrintable(reached.join(',')));

        // A screen reader has a name for every field and every button, also those with a picture only.
        QStringList unnamed;
        for (QWidget* widget : m_window->findChildren<QWidget*>()) {
            const bool named =
                !widget->accessibleName().isEmpty() || (qobject_cast<QAbstractButton*>(widget) != nullptr &&
                                                        !static_cast<QAbstractButton*>(widget)->text().isEmpty());
            const bool needsName = qobject_cast<QAbstractButton*>(widget) != nullptr ||
                                   qobject_cast<QLineEdit*>(widget) != nullptr ||
                                   qobject_cast<QAbstractScrollArea*>(widget) != nullptr;
            if (needsName && !named && !widget->objectName().isEmpty()) {
                unnamed << widget->objectName();
            }
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(',')));
    }

    void pageTextsAreSetWhenThePageIsShown() {
        auto* pages = find<QTabWidget>("pgc_Optionen");
        pages->setCurrentIndex(4);
        QCOMPARE(find<QGroupBox>("grb_MUeberwachung")->title(), QStringLiteral(" Überwachung "));
        // Every check box caption fits its box.
        for (QCheckBox* box : m_window->findChildren<QCheckBox*>()) {
            QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(box->objectName()));
        }
    }
};

QTEST_MAIN(JobWindowTest)
#include "JobWindowTest.moc"
