// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "GuiTestSupport.h"
#include "core/settings/IniStore.h"
#include "core/settings/SettingsFolder.h"
#include "gui/Application.h"
#include "gui/dialogs/FirstRunDialog.h"
#include "gui/mainwindow/Tfrm_Haupt.h"

using talvex::gui::Tfrm_Haupt;
using talvex::settings::IniEncoding;
using talvex::settings::IniStore;

// The main window with a settings folder of its own: histories, remembered check marks, the
// settings file written at the end, and the first-run choice of the folder.
class SettingsWindowTest : public talvex::guitest::MainWindowFixture {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;

    std::string path(const char* name) const { return m_folder->filePath(QString::fromUtf8(name)).toStdString(); }
    std::string iniPath() const { return path("Talvex.ini"); }

    void writeSettings(const std::function<void(IniStore&)>& fill) {
        IniStore store(iniPath(), IniEncoding::Utf16LeWithMark);
        fill(store);
        QVERIFY(!store.writeBack());
    }

    void openWindow() { m_window.open(m_fakes, m_folder->path().toStdString()); }

    QStringList menuTexts(QMenu* menu) {
        QStringList texts;
        for (QAction* action : menu->actions()) {
            texts << action->data().toString() + (action->isChecked() ? QStringLiteral(" *") : QString());
        }
        return texts;
    }

private Q_SLOTS:
    void initTestCase() { talvex::gui::InstallInterfaceFont(); }

    void init() {
        m_fakes.reset();
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
    }

    void cleanup() {
        m_window.reset();
        m_folder.reset();
    }

    void historyMenuListsAndChecksEntries() {
        for (const char* name : {"alpha", "Beta", "gamma", "Delta & Co"}) {
            QVERIFY(QDir(m_folder->path()).mkdir(QString::fromUtf8(name)));
        }
        writeSettings([this](IniStore& store) {
            store.writeString("SDHistorie", "0", path("alpha"));
            store.writeString("SDHistorie", "1", path("gamma"));
        });
        openWindow();
        auto* sourceHistory = find<QToolButton>("sbu_PHistorieSD");
        QVERIFY(sourceHistory->isEnabled());
        QVERIFY2(!find<QToolButton>("sbu_PHistorieDD")->isEnabled(), "no destination history yet");

        // A chosen folder joins the history, sorted without regard to case. Alt+Down on the field
        // opens the menu as the button does.
        m_ui.folderChoices = {path("Beta")};
        QTest::mouseClick(find<QLineEdit>("edt_PSD"), Qt::LeftButton);
        QTest::keyClick(find<QLineEdit>("edt_PSD"), Qt::Key_Down, Qt::AltModifier);
        auto* menu = find<QMenu>("pmn_Historie");
        const QString root = m_folder->path() + QLatin1Char('/');
        QCOMPARE(menuTexts(menu), (QStringList{root + "alpha", root + "Beta *", root + "gamma"}));

        // Choosing an item fills the field; the history stays as it was.
        menu->actions().at(2)->trigger();
        QCOMPARE(find<QLineEdit>("edt_PSD")->text(), root + "gamma");
        QVERIFY(!find<QCheckBox>("chb_PNoSD")->isChecked());

        // An entry whose folder has gone ends the menu; "&" in a path is shown, not taken as a mark.
        m_ui.folderChoices = {path("Delta & Co")};
        QTest::mouseClick(find<QLineEdit>("edt_PSD"), Qt::LeftButton);
        QVERIFY(QDir(m_folder->path()).rmdir(QStringLiteral("Beta")));
        sourceHistory->click();
        QCOMPARE(menuTexts(menu), (QStringList{root + "alpha"}));
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Beta")));
        sourceHistory->click();
        QCOMPARE(menu->actions().size(), 4);
        QCOMPARE(menu->actions().at(2)->text(), root + "Delta && Co");
        QCOMPARE(menu->actions().at(2)->data().toString(), root + "Delta & Co");
        QVERIFY(menu->actions().at(2)->isChecked());
    }

    void checkMarksComeFromAndGoToTheSettingsFile() {
        writeSettings([](IniStore& store) {
            store.writeBool("Settings", "ImageView", true);
            store.writeInteger("Execute", "Window", 2);
            store.writeInteger("Execute", "Job", 1);
        });
        openWindow();
        QVERIFY(find<QAction>("mni_ImageView")->isChecked());
        QVERIFY(m_window->currentJob()->imageView());
        QVERIFY(find<QAction>("mni_AusfuehrenRoboMini")->isChecked());
        QVERIFY(find<QAction>("mnu_AusfuehrenJobTmp")->isChecked());

        // New jobs take the check mark, and the menu item switches the job shown.
        m_window->NewJob();
        QVERIFY(m_window->currentJob()->imageView());
        find<QAction>("mni_ImageView")->trigger();
        QVERIFY(!m_window->currentJob()->imageView());
        // Nothing reaches the disk before the window closes.
        QVERIFY(IniStore::Open(iniPath(), IniEncoding::Utf16LeWithMark).store.readBool("Settings", "ImageView", false));
        QVERIFY(m_window->close());
        QVERIFY(!IniStore::Open(iniPath(), IniEncoding::Utf16LeWithMark).store.readBool("Settings", "ImageView", true));
    }

    void firstRunChoiceCreatesTheFolder_data() {
        QTest::addColumn<bool>("pressAccept");
        QTest::addColumn<bool>("markProgramFolder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("application data, accepted") << true << false << "appdata/Talvex";
        QTest::newRow("program folder, accepted") << true << true << "program";
        // Closing without "Übernehmen" takes the item marked at that moment.
        QTest::newRow("program folder marked, closed") << false << true << "program";
        QTest::newRow("nothing changed, closed") << false << false << "appdata/Talvex";
    }

    void firstRunChoiceCreatesTheFolder() {
        QFETCH(bool, pressAccept);
        QFETCH(bool, markProgramFolder);
        QFETCH(QString, expected);
        QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("program")));
        talvex::gui::FirstRunDialog dialog;
        QTimer::singleShot(0, &dialog, [&dialog, pressAccept, markProgramFolder] {
            QVERIFY(dialog.isVisible());
            QVERIFY(dialog.findChild<QRadioButton*>(QStringLiteral("rbt_Anwendungsdaten"))->isChecked());
            if (markProgramFolder) {
                dialog.findChild<QRadioButton*>(QStringLiteral("rbt_Programmverzeichnis"))->click();
            }
            if (pressAccept) {
                dialog.findChild<QPushButton*>(QStringLiteral("btn_Uebernehmen"))->click();
            } else {
                dialog.reject();
            }
        });
        const auto result = talvex::settings::FindSettingsFolder(path("program"), path("appdata"), dialog);
        QVERIFY(result.firstRun);
        QVERIFY(!result.error);
        QCOMPARE(QString::fromStdString(result.folder), m_folder->filePath(expected));
        QVERIFY(QDir(m_folder->filePath(expected)).exists());
        // Nothing is written on the first run itself.
        QVERIFY(!QFile::exists(m_folder->filePath(expected + "/Talvex.ini")));
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
