// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/PathFields.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>
#include <QWidget>

#include "core/options/JobState.h"
#include "gui/QtText.h"
#include "gui/dialogs/FontTextMeasurer.h"
#include "gui/jobwindow/Tfrm_Job.h"

namespace talvex::gui {

PathFields::PathFields(options::JobState& state, const JobWindowServices& services, QWidget* window)
    : QObject(window), m_state(state),
      m_rules(state, {services.userInterface, services.volumes, services.paths, services.documentsFolder}),
      m_window(window), m_menu(new QMenu(window)) {
    m_menu->setObjectName(QStringLiteral("pmn_Historie"));
}

namespace {

// The design places the groups at 4 and 120 with 110 pixels each: the button straddles the gap at
// the right, where neither group has a control.
constexpr int kSwapTop = 108;
constexpr int kSwapRight = 8;
constexpr int kSwapHeight = 18;

// The one local folder a drag carries, or nothing.
QString DraggedFolder(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return {};
    }
    const QUrl& url = data->urls().front();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isDir()) {
        return {};
    }
    return url.toLocalFile();
}

} // namespace

void PathFields::attachToPage(QWidget* page) {
    m_sourceField = page->findChild<QWidget*>(QStringLiteral("edt_PSD"));
    m_destinationField = page->findChild<QWidget*>(QStringLiteral("edt_PDD"));
    for (QWidget* field : {m_sourceField.data(), m_destinationField.data()}) {
        if (field != nullptr) {
            field->setAcceptDrops(true);
            field->installEventFilter(this);
        }
    }
    m_swap = new QToolButton(page);
    m_swap->setObjectName(QStringLiteral("sbu_Tauschen"));
    connect(m_swap, &QToolButton::clicked, this, &PathFields::swapFolders);
    retranslate();
}

void PathFields::retranslate() {
    if (m_swap == nullptr) {
        return;
    }
    m_swap->setText(Tr("Quelle ⇄ Ziel tauschen"));
    m_swap->setToolTip(Tr("Tauscht Quell- und Zielverzeichnis; das neue Ziel wird wie ein gewähltes geprüft."));
    m_swap->adjustSize();
    QWidget* page = m_swap->parentWidget();
    const int width = m_swap->sizeHint().width();
    m_swap->setGeometry(std::max(0, page->width() - width - kSwapRight), kSwapTop, width, kSwapHeight);
    m_swap->raise();
}

void PathFields::swapFolders() {
    (void)m_rules.swapFolders(FontTextMeasurer(m_window->font()));
    refreshHistoryButtons();
}

bool PathFields::eventFilter(QObject* watched, QEvent* event) {
    const bool source = watched == m_sourceField;
    if (!source && watched != m_destinationField) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!DraggedFolder(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString folder = DraggedFolder(drop->mimeData());
        if (!folder.isEmpty()) {
            drop->acceptProposedAction();
            if (source) {
                m_rules.takeSourceFolder(folder.toStdString());
            } else {
                (void)m_rules.takeDestinationFolder(folder.toStdString(), FontTextMeasurer(m_window->font()));
            }
            refreshHistoryButtons();
        }
        return true;
    }
    if (event->type() == QEvent::Resize && m_swap != nullptr) {
        retranslate();
    }
    return QObject::eventFilter(watched, event);
}

QToolButton* PathFields::button(const char* name) const {
    return m_window->findChild<QToolButton*>(QString::fromLatin1(name));
}

void PathFields::chooseSourceFolder() {
    m_rules.chooseSourceFolder();
    refreshHistoryButtons();
}

void PathFields::chooseDestinationFolder() {
    m_rules.chooseDestinationFolder(FontTextMeasurer(m_window->font()));
    refreshHistoryButtons();
}

void PathFields::refreshHistoryButtons() {
    button("sbu_PHistorieSD")->setEnabled(m_rules.hasHistory(HistoryTag::Source));
    button("sbu_PHistorieDD")->setEnabled(m_rules.hasHistory(HistoryTag::Destination));
}

void PathFields::showHistory(HistoryTag tag) {
    m_menu->clear();
    const QString current = ToQ(m_state.text(workspace::PathFieldRules::Field(tag)));
    for (const std::string& entry : m_rules.historyEntries(tag)) {
        const QString path = ToQ(entry);
        // "&" would become an accelerator mark in a menu text; the path itself travels as data.
        QAction* item = m_menu->addAction(QString(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setData(path);
        item->setCheckable(true);
        item->setChecked(!current.isEmpty() && path.compare(current, Qt::CaseInsensitive) == 0);
        connect(item, &QAction::triggered, this, [this, tag, entry] { m_rules.applyHistoryItem(tag, entry); });
    }
    if (!m_menu->isEmpty()) {
        const char* buttonName = tag == HistoryTag::Source        ? "sbu_PHistorieSD"
                                 : tag == HistoryTag::Destination ? "sbu_PHistorieDD"
                                                                  : "sbu_IImage";
        QToolButton* anchor = button(buttonName);
        m_menu->popup(anchor->mapToGlobal(QPoint(0, anchor->height())));
    }
}

} // namespace talvex::gui
