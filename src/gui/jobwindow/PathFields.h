// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <string>

#include "core/workspace/PathFieldRules.h"

class QMenu;
class QToolButton;
class QWidget;

namespace talvex::options {
class JobState;
}

namespace talvex::gui {

struct JobWindowServices;

/// The job window's path fields on screen: the history buttons and their menu pmn_Historie. What a
/// choice does belongs to the core's `PathFieldRules`.
class PathFields final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PathFields)

public:
    using HistoryTag = workspace::PathHistory;

    /// `window` holds the fields and buttons (found by name) and parents the menu.
    PathFields(options::JobState& state, const JobWindowServices& services, QWidget* window);
    ~PathFields() override = default;

    void chooseSourceFolder();
    void chooseDestinationFolder();
    void chooseImageFile() { m_rules.chooseImageFile(); }
    void chooseLogFile() { m_rules.chooseLogFile(); }

    /// Fills pmn_Historie from the history of `tag`, checks the entry of the field's current path
    /// and opens the menu below the button.
    void showHistory(HistoryTag tag);

    /// Enables the two folder history buttons exactly when their history holds an entry.
    void refreshHistoryButtons();

    [[nodiscard]] QMenu* historyMenu() const { return m_menu; }

    /// Adds "Quelle ⇄ Ziel tauschen" between the folder groups of the Pfade page and lets folders
    /// dropped from a file manager onto the two folder fields set them.
    void attachToPage(QWidget* page);
    void retranslate();

    /// Source and destination change places, the new destination probed like a chosen one.
    void swapFolders();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] QToolButton* button(const char* name) const;

    options::JobState& m_state;
    workspace::PathFieldRules m_rules;
    QPointer<QWidget> m_window;
    QMenu* m_menu;
    QPointer<QToolButton> m_swap;
    QPointer<QWidget> m_sourceField;
    QPointer<QWidget> m_destinationField;
};

} // namespace talvex::gui
