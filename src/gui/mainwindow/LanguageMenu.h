// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "core/presentation/Languages.h"

class QAction;
class QActionGroup;
class QMenu;

namespace talvex::gui {

/// The language menu (mni_Sprachen): one checkable item per catalogue found. Choosing an item
/// switches the messages and Qt's own texts to that language and tells every window through a
/// LanguageChange event, on which each window renews its texts in its retranslate().
class LanguageMenu final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LanguageMenu)

public:
    LanguageMenu(QMenu* menu, QObject* parent);
    ~LanguageMenu() override = default;

    /// One item per language, named "mni_Sprache_<code>"; the language in use is checked (German
    /// when no catalogue fits the locale). The menu is disabled when there is none.
    void fill(const std::vector<presentation::Language>& languages);

    /// Chooses the item with this caption; false when there is none (its catalogue was removed).
    bool chooseCaption(const std::string& caption);

    /// Switches to `code` without an item: messages, Qt's texts, and the LanguageChange event.
    static void SwitchTo(const std::string& code);

Q_SIGNALS:
    /// A language was chosen from the menu; `caption` is its item's caption.
    void languageChosen(const QString& caption);

private:
    void choose(QAction* item);

    QMenu* m_menu = nullptr;
    QActionGroup* m_group = nullptr;
};

} // namespace talvex::gui
