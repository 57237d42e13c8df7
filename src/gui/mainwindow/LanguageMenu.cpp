// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/LanguageMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <algorithm>

#include "core/services/Translate.h"
#include "gui/Application.h"
#include "gui/QtText.h"

namespace talvex::gui {

LanguageMenu::LanguageMenu(QMenu* menu, QObject* parent)
    : QObject(parent), m_menu(menu), m_group(new QActionGroup(this)) {
    m_menu->menuAction()->setEnabled(false);
}

void LanguageMenu::fill(const std::vector<presentation::Language>& languages) {
    // A deleted item leaves its group and its menu by itself.
    qDeleteAll(m_group->actions());
    const presentation::Language* inUse = presentation::LanguageInUse(languages, CurrentLanguage());
    if (inUse == nullptr) {
        // No catalogue fits the environment's locale: the messages are the German originals.
        inUse = presentation::LanguageInUse(languages, "de");
    }
    for (const presentation::Language& language : languages) {
        // The caption is the catalogue's own name for its language and is never translated.
        QAction* item = m_menu->addAction(ToQ(language.caption));
        item->setObjectName(QStringLiteral("mni_Sprache_") + ToQ(language.code));
        item->setData(ToQ(language.code));
        item->setCheckable(true);
        item->setChecked(&language == inUse);
        m_group->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { choose(item); });
    }
    m_menu->menuAction()->setEnabled(!languages.empty());
}

bool LanguageMenu::chooseCaption(const std::string& caption) {
    const QList<QAction*> items = m_group->actions();
    const auto item = std::ranges::find_if(items, [&caption](const QAction* a) { return a->text() == ToQ(caption); });
    if (item == items.end()) {
        return false;
    }
    choose(*item);
    return true;
}

void LanguageMenu::choose(QAction* item) {
    SwitchTo(item->data().toString().toStdString());
    item->setChecked(true);
    Q_EMIT languageChosen(item->text());
}

void LanguageMenu::SwitchTo(const std::string& code) {
    SwitchLanguage(code);
    InstallQtTranslations(code);
    // Replacing Qt's translator tells the windows only when Qt has one for the language.
    QEvent changed(QEvent::LanguageChange);
    QCoreApplication::sendEvent(qApp, &changed);
}

} // namespace talvex::gui
