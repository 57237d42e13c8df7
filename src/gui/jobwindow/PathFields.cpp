// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/PathFields.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
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
