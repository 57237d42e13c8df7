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
#include "gui/QtText.h"

namespace talvex::gui {

namespace {

constexpr int kMargin = 3;
constexpr int kTabWidth = 8;

// Robocopy aligns its columns with tabs; they are expanded for showing and copying.
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

// Columns the UTF-8 text takes once its tabs are expanded (one per character).
int Columns(std::string_view utf8) {
    int columns = 0;
    for (const char c : utf8) {
        if (c == '\t') {
            columns += kTabWidth - columns % kTabWidth;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++columns;
        }
    }
    return columns;
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
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', start)) {
        addLine(text.substr(start, end - start), colour);
        start = end + 1;
    }
    addLine(text.substr(start), colour);
    if (!m_showPending) {
        m_showPending = true;
        QMetaObject::invokeMethod(this, &LogView::showPendingLines, Qt::QueuedConnection);
    }
}

void LogView::addLine(std::string_view text, LogColour colour) {
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    m_widestColumns = std::max(m_widestColumns, Columns(text));
    m_lines.push_back({m_text.size(), static_cast<std::uint32_t>(text.size()), colour});
    m_text.append(text);
}

QString LogView::lineText(int index) const {
    const Line& line = m_lines.at(static_cast<std::size_t>(index));
    return ExpandTabs(QString::fromUtf8(m_text.data() + line.offset, static_cast<qsizetype>(line.length)));
}

void LogView::showPendingLines() {
    m_showPending = false;
    updateScrollBars();
    // Keep the newest line in sight.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

void LogView::clearLog() {
    m_lines.clear();
    m_lines.shrink_to_fit();
    m_text.clear();
    m_text.shrink_to_fit();
    m_widestColumns = 0;
    m_showPending = false;
    updateScrollBars();
    viewport()->update();
}

QString LogView::text() const {
    QString all;
    all.reserve(static_cast<qsizetype>(m_text.size() + m_lines.size()));
    for (int i = 0; i < lineCount(); ++i) {
        if (i > 0) {
            all.append(QLatin1Char('\n'));
        }
        all.append(lineText(i));
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
    return !m_showPending && verticalScrollBar()->value() + visibleLines() >= lineCount();
}

int LogView::lineHeight() const {
    return m_lineHeight;
}

void LogView::measureFont() {
    const QFontMetrics metrics(font());
    m_lineHeight = std::max(1, metrics.lineSpacing());
    // A monospaced font gives every character the same advance; with another font the widest
    // character makes sure the scroll range reaches the end of every line.
    m_charWidth =
        std::max(1, QFontInfo(font()).fixedPitch() ? metrics.horizontalAdvance(QLatin1Char('M')) : metrics.maxWidth());
}

int LogView::visibleLines() const {
    return std::max(1, (viewport()->height() - kMargin) / lineHeight());
}

void LogView::updateScrollBars() {
    // The vertical bar counts lines, the horizontal one pixels.
    verticalScrollBar()->setRange(0, std::max(0, lineCount() - visibleLines()));
    verticalScrollBar()->setPageStep(visibleLines());
    verticalScrollBar()->setSingleStep(1);
    const int widest = m_widestColumns * m_charWidth;
    horizontalScrollBar()->setRange(0, std::max(0, widest + 2 * kMargin - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(std::max(QFontMetrics(font()).averageCharWidth(), 4));
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
        painter.setPen(lineColour(i));
        painter.drawText(x, y, lineText(i));
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
