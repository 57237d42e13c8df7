// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/JobTabStrip.h"

#include <QToolButton>
#include <algorithm>
#include <memory>

#include "core/presentation/WindowLayout.h"

namespace talvex::gui {

namespace {

constexpr int kTabHeight = 20;
// The button's frame and the space the style keeps around a text.
constexpr int kTextMargin = 10;

// A "&" in a file name is text, not the mark of a shortcut key.
QString Escaped(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

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
    connect(tab, &QToolButton::clicked, this, [this, index] { Q_EMIT tabClicked(index); });
    m_tabs.push_back(tab);
    m_captions.push_back(caption);
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
    m_captions.pop_back();
    layoutTabs();
}

void JobTabStrip::setCaption(int index, const QString& caption) {
    if (index >= 0 && index < count()) {
        m_captions[static_cast<std::size_t>(index)] = caption;
        showCaption(static_cast<std::size_t>(index));
    }
}

void JobTabStrip::showCaption(std::size_t index) {
    QToolButton* button = m_tabs[index];
    const QString& caption = m_captions[index];
    // Cut in the middle, where a job's name says least: the start names it, the end holds the
    // extension and the modified mark. The whole name stays in the tooltip.
    const QString shown =
        button->fontMetrics().elidedText(caption, Qt::ElideMiddle, std::max(0, button->width() - kTextMargin));
    button->setText(Escaped(shown));
    button->setToolTip(caption);
    button->setAccessibleName(caption);
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
        showCaption(i);
    }
}

} // namespace talvex::gui
