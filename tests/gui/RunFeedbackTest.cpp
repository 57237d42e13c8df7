// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "GuiTestSupport.h"
#include "gui/Application.h"
#include "gui/dialogs/DeletionWarningDialog.h"

// What a run shows beyond its log: the command-line preview, the question before a mirror deletes
// (with the bundled engine on a real tree), progress, "Simulieren" and the result in words.
class RunFeedbackTest : public talvex::guitest::FolderWindowFixture {
    Q_OBJECT

private:
    talvex::gui::DialogDeletionQuestions m_questions;

    void openWindow(bool realEngine) {
        m_fakes.questions = &m_questions;
        FolderWindowFixture::openWindow(realEngine ? QString::fromUtf8(TALVEX_BIN_DIR) : QString());
        m_questions.setParentWindow(m_window.get());
    }

    /// Presses `button` of the warning once it is shown; the question runs its own event loop.
    /// Records the question's text.
    void answerWarningWith(const char* button, QString* question) {
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [timer, button, question] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == QLatin1String("dlg_Loeschwarnung") && widget->isVisible()) {
                    *question = widget->findChild<QLabel*>(QStringLiteral("lbl_Frage"))->text();
                    widget->findChild<QPushButton*>(QString::fromLatin1(button))->click();
                    timer->deleteLater();
                    timer->stop();
                }
            }
        });
        timer->start(20);
    }

private Q_SLOTS:
    void initTestCase() { talvex::gui::InstallInterfaceFont(); }
    void init() { makeFolder(); }
    void cleanup() { dropWindow(); }

    void previewFollowsTheOptionsAndCopiesTheLine() {
        openWindow(false);
        auto* preview = inJob<QLineEdit>("edt_Befehlszeile");
        auto* copy = inJob<QPushButton>("btn_BefehlszeileKopieren");
        QTRY_COMPARE(preview->text(), QStringLiteral("Es fehlen Quell- und Zielverzeichnis."));
        QVERIFY(!copy->isEnabled());

        prepareJob(QStringLiteral("/srv/quelle"), QStringLiteral("/srv/ziel"));
        QTRY_VERIFY(preview->text().startsWith(QStringLiteral("Robocopy \"/srv/quelle\" \"/srv/ziel\"")));
        QVERIFY(!preview->text().contains(QStringLiteral("/MIR")));
        inJob<QCheckBox>("chb_KMIR")->click();
        QTRY_VERIFY(preview->text().contains(QStringLiteral("/MIR")));
        copy->click();
        QCOMPARE(QApplication::clipboard()->text(), preview->text());
    }

    void mirrorAsksBeforeDeletingExtraFiles_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("Cancel keeps them") << false;
        QTest::newRow("OK deletes them") << true;
    }

    void mirrorAsksBeforeDeletingExtraFiles() {
        QFETCH(bool, ok);
        QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("quelle")));
        QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("ziel")));
        QVERIFY(writeFile(QStringLiteral("quelle/behalten.txt")));
        const QStringList extras = {QStringLiteral("ziel/alt1.txt"), QStringLiteral("ziel/alt2.txt"),
                                    QStringLiteral("ziel/alt3.txt")};
        for (const QString& extra : extras) {
            QVERIFY(writeFile(extra));
        }
        openWindow(true);
        prepareJob(path(QStringLiteral("quelle")), path(QStringLiteral("ziel")));
        inJob<QCheckBox>("chb_KMIR")->click();
        QVERIFY(find<QAction>("mni_VorLoeschenFragen")->isChecked());

        QString question;
        answerWarningWith(ok ? "btn_OK" : "btn_Abbrechen", &question);
        auto* start = find<QToolButton>("sbu_Start");
        start->click();
        QTRY_VERIFY_WITH_TIMEOUT(!question.isEmpty(), 20000);
        QCOMPARE(question, QStringLiteral("3 Dateien und 0 Ordner im Ziel werden gelöscht.\nFortfahren?"));
        QTRY_COMPARE_WITH_TIMEOUT(start->text(), QStringLiteral("Start"), 20000);
        for (const QString& extra : extras) {
            QCOMPARE(QFile::exists(path(extra)), !ok);
        }
        QCOMPARE(QFile::exists(path(QStringLiteral("ziel/behalten.txt"))), ok);
        const QString result = inJob<QLabel>("lbl_Ergebnis")->text();
        QVERIFY2(ok ? result.contains(QStringLiteral("Zusätzliche Dateien im Ziel")) : result.isEmpty(),
                 qPrintable(result));
    }

    // Simulieren (Shift+F5) runs /L without asking, even for a mirror, and leaves the job as it was.
    void simulationRunsWithLAndLeavesTheJobAlone() {
        openWindow(false);
        find<QAction>("mni_VorLoeschenFragen")->setChecked(true);
        prepareJob(QStringLiteral("/srv/quelle"), QStringLiteral("/srv/ziel"));
        inJob<QCheckBox>("chb_KMIR")->click();
        m_window->currentJob()->state().setModifiedFlag(false);
        m_fakes.child.chunks = {"\t*EXTRA File  \t\t       4\talt.txt\n"};
        m_fakes.child.code = 2;
        QVERIFY(find<QAction>("mni_Simulieren")->isEnabled());
        QCOMPARE(find<QAction>("mni_Simulieren")->shortcut(), QKeySequence(QStringLiteral("Shift+F5")));
        inJob<QPushButton>("btn_Simulieren")->click();
        QTRY_COMPARE(find<QToolButton>("sbu_Start")->text(), QStringLiteral("Start"));
        QCOMPARE(m_fakes.child.commandLines.size(), std::size_t{1});
        QVERIFY(m_fakes.child.commandLines[0].ends_with(" /L /BYTES /NP"));
        QVERIFY(!m_window->currentJob()->state().modifiedFlag());
        QTRY_COMPARE(inJob<QLabel>("lbl_Ergebnis")->text(),
                     QStringLiteral("Simulation: 0 Dateien (0 Bytes) und 0 neue Ordner würden kopiert. Im Ziel würden "
                                    "1 Dateien und 0 Ordner gelöscht."));
    }

    // Progress during the run from the counted total, then the result in words in its colour.
    void progressDuringTheRunThenTheResultInWords() {
        openWindow(false);
        prepareJob(QStringLiteral("/srv/quelle"), QStringLiteral("/srv/ziel"));
        m_fakes.child.scripts = {
            {{"\t                   2\t/srv/quelle/\n", "\t    New File  \t\t    1000\ta.txt\n",
              "\t    New File  \t\t    3000\tb.txt\n"},
             1},
            {{"\t    New File  \t\t    1000\ta.txt\n", "100%\n", "\t    New File  \t\t    3000\tb.txt\n", " 50%\r"},
             9,
             false},
        };
        find<QToolButton>("sbu_Start")->click();
        auto* bar = inJob<QProgressBar>("pgb_Fortschritt");
        auto* status = inJob<QLabel>("lbl_Ergebnis");
        QTRY_VERIFY(status->text().contains(QStringLiteral("b.txt")));
        QCOMPARE(bar->value(), 625);
        QCOMPARE(status->text(), QStringLiteral("1 von 2 Dateien, 2,4 KB von 3,9 KB — b.txt"));

        find<QToolButton>("sbu_Start")->click();
        QTRY_COMPARE(find<QToolButton>("sbu_Start")->text(), QStringLiteral("Start"));
        QCOMPARE(status->text(), QStringLiteral("Abgebrochen"));
        QVERIFY(status->styleSheet().contains(QStringLiteral("#ff0000")));
    }
};

QTEST_MAIN(RunFeedbackTest)
#include "RunFeedbackTest.moc"
