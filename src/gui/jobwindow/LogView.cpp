// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/LogView.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "core/presentation/Translate.h"
#include "gui/Application.h"

namespace talvex::gui {

namespace {

constexpr int kMargin = 3;
constexpr int kTabWidth = 8;

QString Tr(const char* german) {
    return QString::fromStdString(talvex::tr(german));
}

// Robocopy aligns its columns with tabs; they are expanded once, when the line arrives, so that
// painting and measuring see plain characters.
QString ExpandTabs(const QString& text) {
    if (!text.contains(QLatin1Char('\t'))) {
        return text;
    }
    QString expanded;
    expanded.reserve(text.size() + 16);
    for (QChar c : text) {
        if (c == QLatin1Char('\t')) {
            expanded.append(QString(kTabWidth - expanded.size() % kTabWidth, QLatin1Char(' ')));
        } else {
            expanded.append(c);
        }
    }
    return expanded;
}

} // namespace

LogView::LogView(QWidget* parent) : QAbstractScrollArea(parent), m_menu(new QMenu(this)) {
    setObjectName(QStringLiteral("red_Log"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFont(LogFont());
    measureFont();
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);

    m_menu->setObjectName(QStringLiteral("pmn_Log"));
    QAction* clear = m_menu->addAction(Tr("Inhalt loeschen"));
    clear->setObjectName(QStringLiteral("pmi_Loeschen"));
    m_menu->addSeparator()->setObjectName(QStringLiteral("pmi_n1"));
    QAction* copy = m_menu->addAction(Tr("In Zwischenablage kopieren"));
    copy->setObjectName(QStringLiteral("pmi_ZwAblage"));
    connect(clear, &QAction::triggered, this, &LogView::clearLog);
    connect(copy, &QAction::triggered, this, &LogView::copyAllToClipboard);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(mapToGlobal(at)); });
    updateScrollBars();
}

void LogView::appendLine(std::string_view text, LogColour colour) {
    const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (line.contains(QLatin1Char('\n'))) {
        for (const QString& part : line.split(QLatin1Char('\n'))) {
            addLine(part, colour);
        }
    } else {
        addLine(line, colour);
    }
    updateScrollBars();
    // Keep the newest line in sight; painting waits for the event loop, so a burst of lines is
    // drawn once.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

void LogView::addLine(QString text, LogColour colour) {
    text = ExpandTabs(text);
    if (text.endsWith(QLatin1Char('\r'))) {
        text.chop(1);
    }
    const int width =
        m_charWidth > 0 ? static_cast<int>(text.size()) * m_charWidth : QFontMetrics(font()).horizontalAdvance(text);
    m_widestLine = std::max(m_widestLine, width);
    m_lines.push_back({std::move(text), colour});
}

void LogView::clearLog() {
    m_lines.clear();
    m_lines.shrink_to_fit();
    m_widestLine = 0;
    updateScrollBars();
    viewport()->update();
}

QString LogView::text() const {
    QString all;
    qsizetype size = 0;
    for (const Line& line : m_lines) {
        size += line.text.size() + 1;
    }
    all.reserve(size);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0) {
            all.append(QLatin1Char('\n'));
        }
        all.append(m_lines[i].text);
    }
    return all;
}

void LogView::copyAllToClipboard() {
    QGuiApplication::clipboard()->setText(text());
}

QColor LogView::lineColour(int index) const {
    const Rgb rgb = ToRgb(m_lines.at(static_cast<std::size_t>(index)).colour);
    return {rgb.red, rgb.green, rgb.blue};
}

bool LogView::showsLastLine() const {
    return verticalScrollBar()->value() + visibleLines() >= lineCount();
}

int LogView::lineHeight() const {
    return m_lineHeight;
}

void LogView::measureFont() {
    const QFontMetrics metrics(font());
    m_lineHeight = std::max(1, metrics.lineSpacing());
    m_charWidth = QFontInfo(font()).fixedPitch() ? metrics.horizontalAdvance(QLatin1Char('M')) : 0;
}

int LogView::visibleLines() const {
    return std::max(1, (viewport()->height() - kMargin) / lineHeight());
}

void LogView::updateScrollBars() {
    // The vertical bar counts lines, the horizontal one pixels.
    verticalScrollBar()->setRange(0, std::max(0, lineCount() - visibleLines()));
    verticalScrollBar()->setPageStep(visibleLines());
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, std::max(0, m_widestLine + 2 * kMargin - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(std::max(m_charWidth, 8));
}

void LogView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int height = lineHeight();
    const int first = verticalScrollBar()->value();
    const int last = std::min(lineCount(), first + visibleLines() + 1);
    const int x = kMargin - horizontalScrollBar()->value();
    int y = kMargin + metrics.ascent();
    for (int i = first; i < last; ++i) {
        const Line& line = m_lines[static_cast<std::size_t>(i)];
        painter.setPen(lineColour(i));
        painter.drawText(x, y, line.text);
        y += height;
    }
}

void LogView::resizeEvent(QResizeEvent* event) {
    const bool followed = showsLastLine();
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    if (followed) {
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
}

void LogView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measureFont();
        updateScrollBars();
    }
}

} // namespace talvex::gui
