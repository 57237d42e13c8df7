// SPDX-License-Identifier: GPL-3.0-or-later
// The save dialog as the user sees it: Qt's own file dialog with the check box of the request, its
// relabelled controls and the extension of the chosen layout.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "fakes/TempFolder.h"
#include "gui/Application.h"
#include "gui/dialogs/QtUserInterface.h"

using talvex::FileDialogRequest;
using talvex::FileDialogResult;

namespace {

/// Runs `act` on the file dialog once it is open, while the caller waits in its event loop.
void WhenDialogOpens(std::function<void(QFileDialog&)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(top);
            if (dialog != nullptr && dialog->isVisible()) {
                poll->deleteLater();
                poll->stop();
                act(*dialog);
                return;
            }
        }
    });
    poll->start();
}

FileDialogRequest JobRequest(const std::string& folder) {
    FileDialogRequest request;
    request.title = "Einstellungen speichern.";
    request.initialFolder = folder;
    request.filters = {{"Robocopy Job-Dateien (*.rcj)", {"*.rcj"}},
                       {"Robocopy Batch/Job-Dateien (*.bat)", {"*.bat"}},
                       {"Robocopy Commandline-Dateien (*.cmd)", {"*.cmd"}}};
    request.selectedFilter = 1;
    request.optionLabel = "Robocopy mitspeichern.";
    request.optionChecked = true;
    request.confirmOverwrite = true;
    return request;
}

} // namespace

class SaveDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { talvex::gui::InstallInterfaceFont(); }

    void showsTheOptionAndReturnsItsState() {
        talvex::fakes::TempFolder folder;
        talvex::gui::QtUserInterface ui;
        bool seen = false;
        WhenDialogOpens([&seen](QFileDialog& dialog) {
            seen = true;
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Einstellungen speichern."));
            QCOMPARE(dialog.labelText(QFileDialog::LookIn), QStringLiteral("Speichern in"));
            QCOMPARE(dialog.labelText(QFileDialog::Accept), QStringLiteral("Speichern"));
            QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("Robocopy Batch/Job-Dateien (*.bat)"));
            auto* option = dialog.findChild<QCheckBox*>(QStringLiteral("chb_Option"));
            QVERIFY(option != nullptr);
            QCOMPARE(option->text(), QStringLiteral("Robocopy mitspeichern."));
            QVERIFY(option->isChecked());
            option->click();
            // Choosing the command-line layout gives a name without extension its ".cmd".
            auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QTest::keyClick(types, Qt::Key_Down);
            dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("alle"));
            static_cast<QDialog&>(dialog).accept(); // as the Speichern button does
        });
        const std::optional<FileDialogResult> chosen = ui.chooseFileToSave(JobRequest(folder.path().string()));
        QVERIFY(seen);
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromStdString(chosen->path), QString::fromStdString(folder.file("alle.cmd")));
        QCOMPARE(chosen->selectedFilter, 2);
        QVERIFY(!chosen->optionChecked);
    }

    void cancelChoosesNothingAndNoOptionWithoutLabel() {
        talvex::fakes::TempFolder folder;
        talvex::gui::QtUserInterface ui;
        FileDialogRequest request = JobRequest(folder.path().string());
        request.optionLabel.clear();
        bool seen = false;
        WhenDialogOpens([&seen](QFileDialog& dialog) {
            seen = true;
            QVERIFY(dialog.findChild<QCheckBox*>(QStringLiteral("chb_Option")) == nullptr);
            dialog.reject();
        });
        QVERIFY(!ui.chooseFileToSave(request).has_value());
        QVERIFY(seen);
    }
};

QTEST_MAIN(SaveDialogTest)
#include "SaveDialogTest.moc"
