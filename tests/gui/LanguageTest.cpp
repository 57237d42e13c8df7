// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <clocale>
#include <memory>

#include "GuiTestSupport.h"
#include "core/presentation/CommandLine.h"
#include "core/presentation/Languages.h"
#include "core/services/Translate.h"
#include "fakes/MoCatalogue.h"
#include "fakes/TempFolder.h"
#include "gui/Application.h"
#include "gui/dialogs/Tfrm_InfoBox.h"
#include "gui/mainwindow/LanguageMenu.h"

using talvex::fakes::TempFolder;
using talvex::gui::Tfrm_InfoBox;
namespace presentation = talvex::presentation;

// The program's own catalogues, as the build lays them out beside the programs.
class LanguageTest : public talvex::guitest::MainWindowFixture {
    Q_OBJECT

private:
    std::unique_ptr<TempFolder> m_settings;

    static std::string BuiltCatalogues() { return std::string(TALVEX_BIN_DIR) + "/locale"; }

    void openWindow(const std::vector<presentation::Language>& languages) {
        m_window.open(m_fakes, m_settings->path().string());
        m_window->BuildLanguageMenu(languages);
        QCoreApplication::processEvents();
    }

    void choose(const char* item) {
        find<QAction>(item)->trigger();
        // The windows hear of the change through posted events.
        QCoreApplication::processEvents();
    }

    QString hint(const char* name) { return inJob(name)->toolTip(); }

private Q_SLOTS:
    void initTestCase() {
        std::setlocale(LC_MESSAGES, "C.UTF-8");
        talvex::gui::InstallInterfaceFont();
    }

    void init() {
        m_fakes.reset();
        m_settings = std::make_unique<TempFolder>();
        talvex::InitCatalogues(BuiltCatalogues());
        talvex::gui::LanguageMenu::SwitchTo("de");
    }

    void cleanup() {
        m_window.reset();
        talvex::gui::LanguageMenu::SwitchTo("de");
    }

    void menuListsTheCataloguesPresent() {
        TempFolder locale;
        using talvex::fakes::CatalogueHeaderText;
        using talvex::fakes::MoCatalogue;
        talvex::fakes::WriteCatalogue(locale.path(), "de", MoCatalogue({{"", CatalogueHeaderText("Deutsch", "")}}));
        talvex::fakes::WriteCatalogue(locale.path(), "en", MoCatalogue({{"", CatalogueHeaderText("English", "A")}}));
        talvex::fakes::WriteCatalogue(locale.path(), "fr",
                                      MoCatalogue({{"", CatalogueHeaderText("Français", "L", "ISO-8859-1")}}));
        talvex::InitCatalogues(locale.path().string());
        talvex::SwitchLanguage("en");
        const presentation::LanguageList list = presentation::ListLanguages(locale.path().string());
        openWindow(list.languages);

        auto* menu = find<QMenu>("mni_Sprachen");
        QVERIFY(menu->menuAction()->isEnabled());
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(find<QAction>("mni_Sprache_de")->text(), QStringLiteral("Deutsch"));
        // The language in use carries the check mark; the catalogue in another charset has no item.
        QVERIFY(find<QAction>("mni_Sprache_en")->isChecked());
        QVERIFY(!find<QAction>("mni_Sprache_de")->isChecked());

        // Where no catalogue fits the locale, the German originals are in use.
        talvex::SwitchLanguage("");
        m_window->BuildLanguageMenu(list.languages);
        QVERIFY(find<QAction>("mni_Sprache_de")->isChecked());

        // Without catalogues the menu has nothing to offer.
        m_window->BuildLanguageMenu(presentation::ListLanguages((locale.path() / "missing").string()).languages);
        QVERIFY(menu->actions().isEmpty());
        QVERIFY(!menu->menuAction()->isEnabled());
    }

    void startsInTheCommandLineLanguageUnlessTheSettingsNameAnother() {
        const auto list = presentation::ListLanguages(BuiltCatalogues());
        std::string unknown;
        talvex::gui::LanguageMenu::SwitchTo(
            presentation::StartLanguage(presentation::LanguageParameter({"-l", "en"}), list.languages, unknown));
        openWindow(list.languages);
        QCOMPARE(find<QToolButton>("sbu_Neu")->text(), QStringLiteral("New"));
        QCOMPARE(find<QMenu>("mni_Datei")->title(), QStringLiteral("File"));
        QCOMPARE(inJob<QTabWidget>("pgc_Optionen")->tabText(0), QStringLiteral("Paths"));
        QVERIFY(find<QAction>("mni_Sprache_en")->isChecked());

        // A stored choice wins when the window is shown.
        m_window.reset();
        m_window.open(m_fakes, m_settings->path().string());
        m_window.session().settings().setLanguage("Deutsch");
        m_window->BuildLanguageMenu(list.languages);
        QCoreApplication::processEvents();
        QCOMPARE(find<QToolButton>("sbu_Neu")->text(), QStringLiteral("Neu"));
        QVERIFY(find<QAction>("mni_Sprache_de")->isChecked());
    }

    void switchingAtRunTimeRenewsEveryWindowAndKeepsTheJobs() {
        openWindow(presentation::ListLanguages(BuiltCatalogues()).languages);
        m_window->NewJob();
        inJob<QTabWidget>("pgc_Optionen")->setCurrentIndex(1);
        inJob<QCheckBox>("chb_KS")->click();
        QVERIFY(m_window->currentJob()->state().modifiedFlag());
        find<QAction>("mni_ToolTipps")->trigger();
        QVERIFY(m_window->jobWindow(0)->tooltipps()); // the choice reaches the job behind the other tab

        choose("mni_Sprache_en");
        QCOMPARE(find<QToolButton>("sbu_Neu")->text(), QStringLiteral("New"));
        QCOMPARE(find<QAction>("mni_ToolTipps")->text(), QStringLiteral("Show hints as balloon tips"));
        QCOMPARE(QString::fromStdString(talvex::tr("Ausführung beendet.")), QStringLiteral("Run finished."));
        QVERIFY(hint("chb_KS").contains(QStringLiteral("Copy subdirectories, but not empty ones.")));
        QVERIFY(hint("chb_KS").contains(QStringLiteral("<b>Copy</b>"))); // the balloon names its page
        QCOMPARE(m_window->jobWindow(0)->findChild<QTabWidget*>(QStringLiteral("pgc_Optionen"))->tabText(1),
                 QStringLiteral("Copy"));
        QVERIFY(m_window->currentJob()->state().modifiedFlag());
        QVERIFY(inJob<QCheckBox>("chb_KS")->isChecked());
        QCOMPARE(m_window->currentJob()->caption(), QStringLiteral("*.rcj [modified]"));
        QCOMPARE(m_window.session().settings().language(), std::string("English"));
        QVERIFY(find<QAction>("mni_Sprache_en")->isChecked());

        choose("mni_Sprache_de");
        QCOMPARE(find<QToolButton>("sbu_Neu")->text(), QStringLiteral("Neu"));
        QVERIFY(hint("chb_KS").contains(QStringLiteral("Kopieren aller Unterverzeichnisse mit Ausnahme der leeren.")));
        QCOMPARE(m_window->currentJob()->caption(), QStringLiteral("*.rcj [geändert]"));
        QVERIFY(m_window->currentJob()->state().modifiedFlag());
        QVERIFY(!find<QAction>("mni_Sprache_en")->isChecked());
        // Qt's own buttons follow, as in every message box.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
        choose("mni_Sprache_en");
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    }

    void aboutBoxShowsTheProgramsVersionAndTheTranslator() {
        QUrl opened;
        Tfrm_InfoBox box(std::string(TALVEX_BIN_DIR) + "/talvex", nullptr,
                         [&opened](const QUrl& url) { opened = url; });
        box.show();
        QCOMPARE(box.windowTitle(), QStringLiteral("Über Talvex"));
        QVERIFY(talvex::guitest::Find<QLabel>(&box, "VersionNr")->text().startsWith(QStringLiteral("Version ")));
        QCOMPARE(talvex::guitest::Find<QLabel>(&box, "Beschreibung")->text(),
                 QStringLiteral("Brenno's GUI für MS RoboCopy"));
        // The German original names no translator.
        QVERIFY(!talvex::guitest::Find<QLabel>(&box, "lbl_UebersetzerText")->isVisible());
        QCOMPARE(box.height(), 160);

        talvex::gui::LanguageMenu::SwitchTo("en");
        QCoreApplication::processEvents();
        QCOMPARE(box.windowTitle(), QStringLiteral("About Talvex"));
        auto* translator = talvex::guitest::Find<QLabel>(&box, "lbl_UebersetzerText");
        QVERIFY(translator->isVisible());
        QVERIFY(translator->text().contains(QStringLiteral("Talvex developers")));
        QCOMPARE(box.height(), 180);
        auto* notice = talvex::guitest::Find<QLabel>(&box, "Copyright");
        QCOMPARE(notice->y(), 180 - 22);
        QTest::mouseClick(notice, Qt::LeftButton);
        QCOMPARE(opened, QUrl(QStringLiteral("https://talvex.invalid/")));

        // A file without version information shows the design texts and opens nothing.
        opened = QUrl();
        Tfrm_InfoBox plain(std::string(TALVEX_BIN_DIR) + "/locale/en/LC_MESSAGES/default.mo", nullptr,
                           [&opened](const QUrl& url) { opened = url; });
        plain.show();
        QCOMPARE(talvex::guitest::Find<QLabel>(&plain, "VersionNr")->text(), QStringLiteral("Version number"));
        QCOMPARE(plain.height(), 130);
        QTest::mouseClick(talvex::guitest::Find<QLabel>(&plain, "Copyright"), Qt::LeftButton);
        QVERIFY(opened.isEmpty());
    }
};

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
