// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "GuiTestSupport.h"
#include "gui/Application.h"
#include "gui/jobwindow/Tfrm_Job.h"

using talvex::gui::Tfrm_Job;

class ImageTabTest : public QObject {
    Q_OBJECT

private:
    talvex::guitest::FakeServices m_fakes;
    QTemporaryDir m_folder;
    std::string m_mkisofs;
    std::unique_ptr<Tfrm_Job> m_window;

    template <typename T = QWidget>
    T* find(const char* name) {
        return talvex::guitest::Find<T>(m_window.get(), name);
    }

    void open(std::vector<std::string> burners) {
        talvex::gui::JobWindowServices services = m_fakes.services();
        services.burners = std::move(burners);
        m_window = std::make_unique<Tfrm_Job>(services, nullptr);
        m_window->setImageView(true);
        m_window->show();
        find<QTabWidget>("pgc_Optionen")->setCurrentIndex(5);
        m_window->state().setText(talvex::options::Control::edt_PSD, "/quelle");
        m_window->state().setText(talvex::options::Control::edt_PDD, "/ziel");
        m_window->state().setText(talvex::options::Control::edt_IImage, "/tmp/bild.iso");
    }

    static QStringList texts(QMenu* menu) {
        QStringList out;
        for (QAction* action : menu->actions()) {
            out << action->text() + (action->isChecked() ? " *" : "");
        }
        return out;
    }

private Q_SLOTS:
    void initTestCase() {
        talvex::gui::InstallInterfaceFont();
        m_mkisofs = m_folder.filePath(QStringLiteral("mkisofs")).toStdString();
        QFile file(QString::fromStdString(m_mkisofs));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    void init() {
        m_fakes.reset();
        m_fakes.environment.existingFiles = {m_mkisofs};
        m_fakes.environment.burningTool = true;
    }

    void cleanup() { m_window.reset(); }

    // The choices themselves are the core's; here the widgets must reach them.
    void widgetsReachTheTabsChoices() {
        open({"/dev/sr0 (1:0:0) ASUS DRW", "/dev/sr1 (2:0:0) TSST SH-224"});
        auto* image = find<QCheckBox>("chb_IIMG");
        m_fakes.ui.openChoices = {std::nullopt};
        QTest::mouseClick(image, Qt::LeftButton);
        QVERIFY2(!image->isChecked(), "without mkisofs the box does not stay ticked");
        m_fakes.ui.openChoices = {talvex::FileDialogResult{m_mkisofs}};
        QTest::mouseClick(image, Qt::LeftButton);
        QVERIFY(image->isChecked());
        QCOMPARE(find<QLineEdit>("edt_Imkisofs")->text().toStdString(), m_mkisofs);
        m_fakes.ui.openChoices = {std::nullopt};
        QTest::mouseClick(find<QLineEdit>("edt_Imkisofs"), Qt::LeftButton);
        QCOMPARE(m_fakes.ui.openRequests.size(), std::size_t{3});

        QTest::mouseClick(find<QCheckBox>("chb_IBurn"), Qt::LeftButton);
        QVERIFY2(!m_window->state().readyFlag(), "burning needs a speed and a burner");
        auto* menu = find<QMenu>("pmn_Historie");
        find<QToolButton>("sbu_ISpeed")->click();
        QCOMPARE(texts(menu), (QStringList{"1", "2", "4", "8", "12", "16", "24", "32", "40", "48", "52", "Max"}));
        menu->actions().last()->trigger();
        menu->hide();
        QCOMPARE(find<QLineEdit>("edt_ISpeed")->text(), QStringLiteral("Max"));
        find<QToolButton>("sbu_IBrenner")->click();
        QCOMPARE(texts(menu), (QStringList{"/dev/sr0 (1:0:0) ASUS DRW", "/dev/sr1 (2:0:0) TSST SH-224"}));
        menu->actions().at(1)->trigger();
        menu->hide();
        QCOMPARE(find<QLineEdit>("edt_IBrenner")->text(), QStringLiteral("/dev/sr1 (2:0:0) TSST SH-224"));
        QVERIFY(m_window->state().readyFlag());
        find<QToolButton>("sbu_ISpeed")->click();
        QCOMPARE(texts(menu).last(), QStringLiteral("Max *"));
        menu->hide();
    }

    void noDrivesMeansNoBurnerMenu() {
        open({});
        m_fakes.ui.openChoices = {talvex::FileDialogResult{m_mkisofs}};
        QTest::mouseClick(find<QCheckBox>("chb_IIMG"), Qt::LeftButton);
        QTest::mouseClick(find<QCheckBox>("chb_IBurn"), Qt::LeftButton);
        find<QToolButton>("sbu_IBrenner")->click();
        QVERIFY(find<QMenu>("pmn_Historie")->actions().isEmpty());
    }
};

QTEST_MAIN(ImageTabTest)
#include "ImageTabTest.moc"
