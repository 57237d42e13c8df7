// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>

#include "core/settings/EditNameLists.h"
#include "core/settings/NameListEditor.h"

class QAction;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;

namespace talvex::gui {

struct JobWindowServices;

/// The name list editor: four check lists (/IF, /XF, /ID, /XD) with an add field each, shown
/// modally over the job window. It mirrors a core `NameListEditor` and forwards every check,
/// addition and deletion to it; what "Übernehmen" does with the lists is the core's.
class Tfrm_Liste final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tfrm_Liste)

public:
    /// `editor` must outlive the window.
    Tfrm_Liste(settings::NameListEditor& editor, QWidget* parent);
    ~Tfrm_Liste() override = default;

    /// Captions, hints and accessible names in the current language.
    void retranslate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Panel {
        QGroupBox* group = nullptr;
        QLineEdit* addField = nullptr;
        QToolButton* addButton = nullptr;
        QListWidget* list = nullptr;
    };

    void buildPanel(settings::NameList list, int left, int top);
    void fill(settings::NameList list);
    void addEntry(settings::NameList list);
    void deleteSelected(settings::NameList list);
    void deleteAll(settings::NameList list);
    void showMenu(settings::NameList list, const QPoint& at);
    [[nodiscard]] Panel& panel(settings::NameList list) { return m_panels[static_cast<std::size_t>(list)]; }

    settings::NameListEditor& m_editor;
    std::array<Panel, settings::kNameLists.size()> m_panels;
    QPushButton* m_ok = nullptr;
    QPushButton* m_abort = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_deleteSelected = nullptr;
    QAction* m_deleteAll = nullptr;
    settings::NameList m_menuList = settings::NameList::IncludeFiles;
};

/// The "Liste" button of a job window: runs the editor on the job's lists and, when the window
/// has a settings folder, the names kept in it.
void EditJobNameLists(options::JobState& job, const JobWindowServices& services, QWidget* parent);

} // namespace talvex::gui
