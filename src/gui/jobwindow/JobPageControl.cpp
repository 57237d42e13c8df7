// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/JobPageControl.h"

#include <QProxyStyle>
#include <QStyleOption>
#include <QTabBar>
#include <algorithm>

namespace talvex::gui {

namespace {

// Lets a tab's caption use the whole tab but a pixel on each side.
class NarrowTabTextStyle final : public QProxyStyle {
public:
    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override {
        if (element == SE_TabBarTabText) {
            return option->rect.adjusted(1, 0, -1, 0);
        }
        return QProxyStyle::subElementRect(element, option, widget);
    }
};

class FixedWidthTabBar final : public QTabBar {
public:
    explicit FixedWidthTabBar(QWidget* parent) : QTabBar(parent) {
        setExpanding(false);
        setElideMode(Qt::ElideRight);
        setUsesScrollButtons(false);
        // The tab width comes from the layout rule, not from the caption; the style's wide text
        // margins would cut "Kopieren" and "Log, Fehler" in 55-pixel tabs.
        auto* style = new NarrowTabTextStyle;
        style->setParent(this);
        setStyle(style);
    }

    void setWidth(int width) {
        m_width = width;
        // QTabBar caches its tab sizes; setting the elide mode makes it ask tabSizeHint anew.
        setElideMode(elideMode());
    }
    [[nodiscard]] int fixedTabWidth() const { return m_width; }

protected:
    QSize tabSizeHint(int index) const override {
        const QSize hint = QTabBar::tabSizeHint(index);
        return {std::max(m_width, 1), hint.height()};
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

private:
    int m_width = 55;
};

} // namespace

JobPageControl::JobPageControl(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("pgc_Optionen"));
    setTabBar(new FixedWidthTabBar(this));
}

void JobPageControl::setTabWidth(int width) {
    auto* bar = static_cast<FixedWidthTabBar*>(tabBar());
    if (bar->fixedTabWidth() != width) {
        bar->setWidth(width);
    }
}

int JobPageControl::tabWidth() const {
    return static_cast<const FixedWidthTabBar*>(tabBar())->fixedTabWidth();
}

} // namespace talvex::gui
