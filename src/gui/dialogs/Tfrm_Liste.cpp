// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/Tfrm_Liste.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "core/options/JobState.h"
#include "core/settings/PathSettings.h"
#include "gui/Pictures.h"
#include "gui/QtText.h"
#include "gui/jobwindow/Tfrm_Job.h"

namespace talvex::gui {

namespace {

using settings::NameList;

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 440;
constexpr int kButtonBarHeight = 40;
constexpr int kPanelWidth = kClientWidth / 2;
constexpr int kPanelHeight = (kClientHeight - kButtonBarHeight) / 2;

struct PanelNames {
    const char* panel;
    const char* group;
    const char* addField;
    const char* addButton;
    const char* list;
    const char* picture;
};

PanelNames NamesOf(NameList list) {
    switch (list) {
    case NameList::IncludeFiles:
        return {"pnl_IF", "gpb_IF", "edt_IF_ADD", "sbu_IF_ADD", "clb_IF", "img_IF"};
    case NameList::ExcludeFiles:
        return {"pnl_XF", "gpb_XF", "edt_XF_ADD", "sbu_XF_ADD", "clb_XF", "img_XF"};
    case NameList::IncludeFolders:
        return {"pnl_ID", "gpb_ID", "edt_ID_ADD", "sbu_ID_ADD", "clb_ID", "img_ID"};
    case NameList::ExcludeFolders:
        return {"pnl_XD", "gpb_XD", "edt_XD_Add", "sbu_XD_Add", "clb_XD", "img_XD"};
    }
    return {};
}

const char* CaptionOf(NameList list) {
    switch (list) {
    case NameList::IncludeFiles:
        return "Einzuschliessende Dateien";
    case NameList::ExcludeFiles:
        return "Auszuschliessende Dateien";
    case NameList::IncludeFolders:
        return "Einzuschliessende Verzeichnisse";
    case NameList::ExcludeFolders:
        return "Auszuschliessende Verzeichnisse";
    }
    return "";
}

/// Runs the window modally for the core's editing step.
class ModalNameListWindow final : public settings::NameListWindow {
public:
    explicit ModalNameListWindow(QWidget* parent) : m_parent(parent) {}
    bool run(settings::NameListEditor& editor) override {
        Tfrm_Liste window(editor, m_parent);
        return window.exec() == QDialog::Accepted;
    }

private:
    QWidget* m_parent;
};

} // namespace

Tfrm_Liste::Tfrm_Liste(settings::NameListEditor& editor, QWidget* parent) : QDialog(parent), m_editor(editor) {
    setObjectName(QStringLiteral("Tfrm_Liste"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(kClientWidth, kClientHeight);
    buildPanel(NameList::IncludeFiles, 0, 0);
    buildPanel(NameList::ExcludeFiles, kPanelWidth, 0);
    buildPanel(NameList::IncludeFolders, 0, kPanelHeight);
    buildPanel(NameList::ExcludeFolders, kPanelWidth, kPanelHeight);

    auto* buttonBar = new QWidget(this);
    buttonBar->setObjectName(QStringLiteral("pnl_Button"));
    buttonBar->setGeometry(0, kClientHeight - kButtonBarHeight, kClientWidth, kButtonBarHeight);
    m_ok = new QPushButton(buttonBar);
    m_ok->setObjectName(QStringLiteral("btn_OK"));
    m_ok->setGeometry(433, 8, 75, 25);
    m_abort = new QPushButton(buttonBar);
    m_abort->setObjectName(QStringLiteral("btn_Abort"));
    m_abort->setGeometry(514, 8, 75, 25);
    // Enter belongs to the add fields: a default button would close the window instead.
    for (QPushButton* button : {m_ok, m_abort}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_abort, &QPushButton::clicked, this, &QDialog::reject);

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("pmu_CLB"));
    m_deleteSelected = m_menu->addAction(QString());
    m_deleteSelected->setObjectName(QStringLiteral("mni_DelSel"));
    m_deleteAll = m_menu->addAction(QString());
    m_deleteAll->setObjectName(QStringLiteral("mni_DelAll"));
    connect(m_deleteSelected, &QAction::triggered, this, [this] { deleteSelected(m_menuList); });
    connect(m_deleteAll, &QAction::triggered, this, [this] { deleteAll(m_menuList); });

    for (const NameList list : settings::kNameLists) {
        fill(list);
    }
    // Tab goes through the four panels in reading order, then to the two buttons.
    QWidget* previous = nullptr;
    for (const NameList list : settings::kNameLists) {
        for (QWidget* next : {static_cast<QWidget*>(panel(list).addField), static_cast<QWidget*>(panel(list).addButton),
                              static_cast<QWidget*>(panel(list).list)}) {
            if (previous != nullptr) {
                setTabOrder(previous, next);
            }
            previous = next;
        }
    }
    setTabOrder(previous, m_ok);
    setTabOrder(m_ok, m_abort);
    retranslate();
    if (parent != nullptr) {
        const QWidget* anchor = parent->window();
        move(anchor->geometry().center() - rect().center());
    }
}

void Tfrm_Liste::buildPanel(NameList list, int left, int top) {
    const PanelNames names = NamesOf(list);
    auto* frame = new QWidget(this);
    frame->setObjectName(QString::fromLatin1(names.panel));
    frame->setGeometry(left, top, kPanelWidth, kPanelHeight);
    Panel& p = panel(list);
    p.group = new QGroupBox(frame);
    p.group->setObjectName(QString::fromLatin1(names.group));
    p.group->setGeometry(4, 4, kPanelWidth - 8, kPanelHeight - 8);
    auto* picture = new QLabel(p.group);
    picture->setObjectName(QString::fromLatin1(names.picture));
    picture->setGeometry(10, 0, 16, 16);
    picture->setPixmap(PictureIcon(Picture::List).pixmap(16, 16));
    p.addField = new QLineEdit(p.group);
    p.addField->setObjectName(QString::fromLatin1(names.addField));
    p.addField->setGeometry(6, 23, kPanelWidth - 75, 21);
    p.addButton = new QToolButton(p.group);
    p.addButton->setObjectName(QString::fromLatin1(names.addButton));
    p.addButton->setGeometry(kPanelWidth - 65, 22, 50, 22);
    p.list = new QListWidget(p.group);
    p.list->setObjectName(QString::fromLatin1(names.list));
    p.list->setGeometry(6, 55, kPanelWidth - 20, kPanelHeight - 70);
    p.list->setContextMenuPolicy(Qt::CustomContextMenu);
    p.list->installEventFilter(this);

    connect(p.addButton, &QToolButton::clicked, this, [this, list] { addEntry(list); });
    connect(p.addField, &QLineEdit::returnPressed, this, [this, list] { addEntry(list); });
    connect(p.list, &QListWidget::itemChanged, this, [this, list](QListWidgetItem* item) {
        m_editor.setChecked(list, static_cast<std::size_t>(panel(list).list->row(item)),
                            item->checkState() == Qt::Checked);
    });
    connect(p.list, &QListWidget::customContextMenuRequested, this,
            [this, list](const QPoint& at) { showMenu(list, at); });
}

void Tfrm_Liste::retranslate() {
    setWindowTitle(Tr("Namensliste"));
    for (const NameList list : settings::kNameLists) {
        Panel& p = panel(list);
        // The blanks keep the caption clear of the picture drawn at its left.
        p.group->setTitle(QStringLiteral("       ") + Tr(CaptionOf(list)));
        p.addButton->setText(Tr("Hinzu"));
        p.addField->setAccessibleName(Tr(CaptionOf(list)) + QStringLiteral(": ") + Tr("neuer Eintrag"));
        p.addButton->setAccessibleName(Tr(CaptionOf(list)) + QStringLiteral(": ") + Tr("Hinzu"));
        p.list->setAccessibleName(Tr(CaptionOf(list)));
        p.list->setToolTip(Tr("Entf löscht den gewählten Eintrag, Umschalt+Entf alle Einträge."));
    }
    m_ok->setText(Tr("Übernehmen"));
    m_abort->setText(Tr("Abbrechen"));
    m_deleteSelected->setText(Tr("Ausgewählten Eintrag löschen"));
    m_deleteAll->setText(Tr("Alle Einträge löschen"));
}

void Tfrm_Liste::fill(NameList list) {
    QListWidget* view = panel(list).list;
    const QSignalBlocker blocker(view);
    view->clear();
    for (const settings::NameListEntry& entry : m_editor.entries(list)) {
        auto* item = new QListWidgetItem(ToQ(entry.text), view);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
    }
}

void Tfrm_Liste::addEntry(NameList list) {
    QLineEdit* field = panel(list).addField;
    if (m_editor.add(list, field->text().toStdString())) {
        field->clear();
        fill(list);
        panel(list).list->scrollToBottom();
    }
}

void Tfrm_Liste::deleteSelected(NameList list) {
    QListWidget* view = panel(list).list;
    const int row = view->currentRow();
    if (row < 0 || !view->currentItem()->isSelected()) {
        return;
    }
    m_editor.remove(list, static_cast<std::size_t>(row));
    fill(list);
    view->setCurrentRow(std::min(row, view->count() - 1));
}

void Tfrm_Liste::deleteAll(NameList list) {
    m_editor.removeAll(list);
    fill(list);
}

void Tfrm_Liste::showMenu(NameList list, const QPoint& at) {
    m_menuList = list;
    QListWidget* view = panel(list).list;
    m_deleteSelected->setEnabled(view->currentItem() != nullptr && view->currentItem()->isSelected());
    m_menu->popup(view->viewport()->mapToGlobal(at));
}

bool Tfrm_Liste::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        for (const NameList list : settings::kNameLists) {
            if (watched == panel(list).list) {
                if (static_cast<QKeyEvent*>(event)->modifiers().testFlag(Qt::ShiftModifier)) {
                    deleteAll(list);
                } else {
                    deleteSelected(list);
                }
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void EditJobNameLists(options::JobState& job, const JobWindowServices& services, QWidget* parent) {
    ModalNameListWindow window(parent);
    const std::string folder = services.paths != nullptr ? services.paths->settingsFolder() : std::string();
    settings::EditNameLists(job, folder, window, services.userInterface);
}

} // namespace talvex::gui
