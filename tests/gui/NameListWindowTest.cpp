// SPDX-License-Identifier: GPL-3.0-or-later
// The name list editor driven by keys and clicks: on its own over a core editor, and behind the job
// window's "Liste" button, checked in the job's lists and in "TalvexListe.ini".
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <memory>

#include "GuiTestSupport.h"
#include "core/settings/NameListEditor.h"
#include "fakes/TempFolder.h"
#include "gui/Application.h"
#include "gui/dialogs/Tfrm_Liste.h"

using talvex::fakes::TempFolder;
using talvex::gui::Tfrm_Liste;
using talvex::settings::IniStore;
using talvex::settings::NameList;
using talvex::settings::NameListEditor;
using talvex::settings::NameListEntry;
using talvex::settings::TAusschluss;
using Entries = std::vector<NameListEntry>;

namespace {

// Key by key, as QTest::keyClicks does, but for every character: QTest maps only ASCII to keys.
void Type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

QStringList Texts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->item(i)->text() + (list->item(i)->checkState() == Qt::Checked ? QStringLiteral(" [x]") : "");
    }
    return texts;
}

} // namespace

class NameListWindowTest : public talvex::guitest::MainWindowFixture {
    Q_OBJECT

private:
    std::unique_ptr<TempFolder> m_settings;

    std::string listFile() const { return m_settings->file("TalvexListe.ini"); }

    /// Presses "Liste" in the current job and lets `act` work on the editor while it is open.
    void editLists(const std::function<void(Tfrm_Liste&)>& act) {
        bool acted = false;
        QTimer::singleShot(0, this, [&] {
            auto* window = qobject_cast<Tfrm_Liste*>(QApplication::activeModalWidget());
            QVERIFY(window != nullptr);
            act(*window);
            acted = true;
        });
        inJob<QToolButton>("sbu_FListe")->click();
        QVERIFY(acted);
    }

private Q_SLOTS:
    void initTestCase() { talvex::gui::InstallInterfaceFont(); }

    void init() {
        m_fakes.reset();
        m_settings = std::make_unique<TempFolder>();
        m_window.open(m_fakes, m_settings->path().string());
    }

    void cleanup() {
        m_window.reset();
        m_settings.reset();
    }

    void keysCheckAddAndDeleteEntries() {
        IniStore file;
        file.writeString("/XF", "0", "*.bak (Sicherung)");
        file.writeString("/XF", "1", "*.tmp");
        TAusschluss job;
        job.addExcludeFile("*.bak");
        NameListEditor editor(file, job);
        Tfrm_Liste window(editor, nullptr);
        window.show();
        auto* list = talvex::guitest::Find<QListWidget>(&window, "clb_XF");
        QCOMPARE(Texts(list), QStringList({"*.bak (Sicherung) [x]", "*.tmp"}));

        list->setFocus();
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(editor.entries(NameList::ExcludeFiles)[1].checked, true);

        // Enter adds to the list instead of closing the window; an empty field adds nothing.
        auto* add = talvex::guitest::Find<QLineEdit>(&window, "edt_XF_ADD");
        add->setFocus();
        QTest::keyClick(add, Qt::Key_Return);
        Type(add, QStringLiteral("Mein Ärger.txt"));
        QTest::keyClick(add, Qt::Key_Return);
        QVERIFY(window.isVisible());
        QVERIFY(add->text().isEmpty());
        QCOMPARE(Texts(list), QStringList({"*.bak (Sicherung) [x]", "*.tmp [x]", "Mein Ärger.txt [x]"}));

        list->setFocus();
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(editor.entries(NameList::ExcludeFiles), (Entries{{"*.tmp", true}, {"Mein Ärger.txt", true}}));
        QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier);
        QVERIFY(editor.entries(NameList::ExcludeFiles).empty());
        QCOMPARE(list->count(), 0);
        QTest::keyClick(list, Qt::Key_Delete); // nothing left to delete
    }

    void confirmedNamesReachTheJobAndTheFileAndComeBack() {
        TempFolder::Write(listFile(), "[/XD]\r\n0=Cache\r\n");
        editLists([](Tfrm_Liste& window) {
            auto* add = talvex::guitest::Find<QLineEdit>(&window, "edt_IF_ADD");
            for (const char* name : {"bericht märz 2026.doc", "*.t?t", "/home/anna/mit leerzeichen/x.txt"}) {
                Type(add, QString::fromUtf8(name));
                QTest::keyClick(add, Qt::Key_Return);
            }
            talvex::guitest::Find<QPushButton>(&window, "btn_OK")->click();
        });
        const QString expected = "/IF\nbericht märz 2026.doc\n*.t?t\n/home/anna/mit leerzeichen/x.txt\n\n";
        QCOMPARE(inJob<QPlainTextEdit>("red_FListe")->toPlainText(), expected);
        QVERIFY(inJob<QCheckBox>("chb_FIF")->isChecked());
        QVERIFY(!inJob<QCheckBox>("chb_FXD")->isChecked());
        QCOMPARE(QString::fromStdString(TempFolder::Read(listFile())),
                 QString("[/IF]\r\n0=bericht märz 2026.doc\r\n1=*.t?t\r\n2=/home/anna/mit leerzeichen/x.txt\r\n\r\n"
                         "[/XF]\r\n\r\n[/ID]\r\n\r\n[/XD]\r\n0=Cache\r\n\r\n"));

        // Opened again, the job's names find their entries checked (a name is matched in lower case,
        // so these are written so); Cancel then keeps everything.
        editLists([](Tfrm_Liste& window) {
            auto* list = talvex::guitest::Find<QListWidget>(&window, "clb_IF");
            QCOMPARE(Texts(list).size(), 3);
            QCOMPARE(Texts(list).filter(QStringLiteral("[x]")).size(), 3);
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier);
            talvex::guitest::Find<QPushButton>(&window, "btn_Abort")->click();
        });
        QCOMPARE(inJob<QPlainTextEdit>("red_FListe")->toPlainText(), expected);
        QVERIFY(TempFolder::Read(listFile()).find("0=bericht") != std::string::npos);
        QVERIFY(m_window->currentJob()->state().modifiedFlag());
    }
};

QTEST_MAIN(NameListWindowTest)
#include "NameListWindowTest.moc"
