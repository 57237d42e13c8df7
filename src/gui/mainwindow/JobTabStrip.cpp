// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/JobTabStrip.h"

#include <QToolButton>
#include <memory>

#include "core/presentation/WindowLayout.h"

namespace talvex::gui {

namespace {

constexpr int kTabHeight = 20;

} // namespace

JobTabStrip::JobTabStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnl_JobButton"));
}

void JobTabStrip::appendTab(const QString& caption) {
    const int index = count();
    auto* tab = new QToolButton(this);
    tab->setObjectName(QStringLiteral("tab_Job%1").arg(index));
    tab->setCheckable(true);
    tab->setAutoExclusive(true);
    tab->setText(caption);
    connect(tab, &QToolButton::clicked, this, [this, index] { Q_EMIT tabClicked(index); });
    m_tabs.push_back(tab);
    tab->show();
    layoutTabs();
}

void JobTabStrip::removeLastTab() {
    if (m_tabs.empty()) {
        return;
    }
    // Owned by the strip; taking it out at once keeps it from showing until a later deletion.
    const std::unique_ptr<QToolButton> last(m_tabs.back());
    m_tabs.pop_back();
    layoutTabs();
}

void JobTabStrip::setCaption(int index, const QString& caption) {
    if (index >= 0 && index < count()) {
        tab(index)->setText(caption);
    }
}

void JobTabStrip::setCurrent(int index) {
    if (index >= 0 && index < count()) {
        tab(index)->setChecked(true);
    }
}

void JobTabStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutTabs();
}

void JobTabStrip::layoutTabs() {
    const std::vector<presentation::TabSlot> slots = presentation::JobTabSlots(m_tabs.size(), width());
    for (std::size_t i = 0; i < m_tabs.size(); ++i) {
        m_tabs[i]->setGeometry(slots[i].left, 0, slots[i].width, kTabHeight);
    }
}

} // namespace talvex::gui
