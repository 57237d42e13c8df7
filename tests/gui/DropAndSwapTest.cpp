// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "GuiTestSupport.h"
#include "gui/Application.h"

// Folders dropped onto the folder fields, job files dropped onto the main window, and the swap of
// source and destination.
class DropAndSwapTest : public talvex::guitest::FolderWindowFixture {
    Q_OBJECT

private:
    /// Drags `files` onto `target` and drops them there when it accepts; true when it accepted.
    static bool drop(QWidget* target, const QStringList& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files) {
            urls << QUrl::fromLocalFile(file);
        }
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropped);
        return dropped.isAccepted();
    }

private Q_SLOTS:
    void initTestCase() { talvex::gui::InstallInterfaceFont(); }

    void init() {
        makeFolder();
        QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("quelle")));
        QVERIFY(QDir(m_folder->path()).mkpath(QStringLiteral("ziel")));
        openWindow();
    }

    void cleanup() { dropWindow(); }

    // A folder sets its field with the checks of the chooser; a file or two folders are refused.
    void droppedFolderSetsItsFieldWithTheChoosersChecks() {
        auto* source = inJob<QLineEdit>("edt_PSD");
        auto* destination = inJob<QLineEdit>("edt_PDD");
        QVERIFY(drop(source, {path(QStringLiteral("quelle"))}));
        QCOMPARE(source->text(), path(QStringLiteral("quelle")));
        QVERIFY2(inJob("sbu_PHistorieSD")->isEnabled(), "a dropped folder joins the history");

        QVERIFY(writeFile(QStringLiteral("datei.txt")));
        QVERIFY(!drop(destination, {path(QStringLiteral("datei.txt"))}));
        QVERIFY(!drop(destination, {path(QStringLiteral("quelle")), path(QStringLiteral("ziel"))}));
        QCOMPARE(destination->text(), QString());

        // A destination that refuses writes is taken only after Yes.
        m_fakes.volumes.readOnlyFolders = {path(QStringLiteral("ziel")).toStdString()};
        m_ui.answers = {talvex::Answer::No};
        QVERIFY(drop(destination, {path(QStringLiteral("ziel"))}));
        QCOMPARE(destination->text(), QString());
        m_fakes.volumes.readOnlyFolders.clear();
        QVERIFY(drop(destination, {path(QStringLiteral("ziel"))}));
        QCOMPARE(destination->text(), path(QStringLiteral("ziel")));

        inJob<QToolButton>("sbu_Tauschen")->click();
        QCOMPARE(source->text(), path(QStringLiteral("ziel")));
        QCOMPARE(destination->text(), path(QStringLiteral("quelle")));
    }

    void droppedJobFileOpensAndOtherFilesAreRefused() {
        const QString job = path(QStringLiteral("Sicherung.RCJ"));
        const QString other = path(QStringLiteral("bild.png"));
        QVERIFY(writeFile(QStringLiteral("Sicherung.RCJ"), "/SD:\\tmp\\quelle\\\r\n/DD:\\tmp\\ziel\\\r\n"));
        QVERIFY(writeFile(QStringLiteral("bild.png"), ""));
        QVERIFY(!drop(m_window.get(), {other}));
        QVERIFY(drop(m_window.get(), {job, other}));
        QVERIFY(m_window->currentJob()->caption().contains(QStringLiteral("Sicherung")));
    }
};

QTEST_MAIN(DropAndSwapTest)
#include "DropAndSwapTest.moc"
