// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/LogView.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "core/services/Translate.h"
#include "gui/Application.h"
#include "gui/QtText.h"

namespace talvex::gui {

namespace {

constexpr int kMargin = 3;
constexpr int kTabWidth = 8;
constexpr int kAutoScrollMs = 50;

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

// Pixels from the start of the line to the given column.
int AdvanceTo(const QFontMetrics& metrics, const QString& line, int column) {
    return column <= 0 ? 0 : metrics.horizontalAdvance(line, column);
}

bool IsCopyOrSelectAll(const QKeyEvent* event) {
    return event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll);
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
    QAction* clear = m_menu->addAction(QString());
    clear->setObjectName(QStringLiteral("pmi_Loeschen"));
    m_menu->addSeparator()->setObjectName(QStringLiteral("pmi_n1"));
    QAction* copySelection = m_menu->addAction(QString());
    copySelection->setObjectName(QStringLiteral("pmi_Auswahl"));
    // Shown in the menu as a reminder; the view itself answers the keys.
    copySelection->setShortcut(QKeySequence::Copy);
    copySelection->setShortcutContext(Qt::WidgetShortcut);
    QAction* copy = m_menu->addAction(QString());
    copy->setObjectName(QStringLiteral("pmi_ZwAblage"));
    connect(clear, &QAction::triggered, this, &LogView::clearLog);
    connect(copy, &QAction::triggered, this, &LogView::copyAllToClipboard);
    connect(copySelection, &QAction::triggered, this, &LogView::copySelectionToClipboard);
    connect(m_menu, &QMenu::aboutToShow, this, [this, copySelection] { copySelection->setEnabled(hasSelection()); });

    retranslate();
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(mapToGlobal(at)); });
    updateScrollBars();
}

void LogView::retranslate() {
    for (const auto& [name, text] :
         {std::pair{"pmi_Loeschen", N_("Inhalt loeschen")}, std::pair{"pmi_Auswahl", N_("Auswahl kopieren")},
          std::pair{"pmi_ZwAblage", N_("In Zwischenablage kopieren")}}) {
        m_menu->findChild<QAction*>(QString::fromLatin1(name))->setText(Tr(text));
    }
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
    // Follow the newest line only while the view is at its end: a user who scrolled up to read
    // stays there until scrolling back down. Nor under a mouse that is selecting text.
    const bool atEnd = verticalScrollBar()->value() >= verticalScrollBar()->maximum();
    updateScrollBars();
    if (atEnd && !m_selecting) {
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
    viewport()->update();
}

void LogView::clearLog() {
    m_lines.clear();
    m_lines.shrink_to_fit();
    m_text.clear();
    m_text.shrink_to_fit();
    m_widestColumns = 0;
    m_showPending = false;
    m_anchor = m_caret = {};
    updateScrollBars();
    viewport()->update();
}

QString LogView::text() const {
    QString all;
    all.reserve(static_cast<qsizetype>(m_text.size()) + static_cast<qsizetype>(m_lines.size()));
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

QString LogView::selectedText() const {
    const Position from = std::min(m_anchor, m_caret);
    const Position to = std::max(m_anchor, m_caret);
    QString selected;
    for (int i = from.line; i < to.line + 1 && hasSelection(); ++i) {
        const QString line = lineText(i);
        const int start = i == from.line ? from.column : 0;
        const int end = i == to.line ? to.column : static_cast<int>(line.size());
        if (i > from.line) {
            selected.append(QLatin1Char('\n'));
        }
        selected.append(QStringView(line).mid(start, end - start));
    }
    return selected;
}

void LogView::copySelectionToClipboard() {
    if (hasSelection()) {
        QGuiApplication::clipboard()->setText(selectedText());
    }
}

void LogView::selectAll() {
    if (lineCount() == 0) {
        return;
    }
    m_anchor = {};
    m_caret = {lineCount() - 1, static_cast<int>(lineText(lineCount() - 1).size())};
    viewport()->update();
}

LogView::Position LogView::positionAt(QPoint point) const {
    if (lineCount() == 0) {
        return {};
    }
    const int offset = point.y() - kMargin;
    // Division rounds towards zero; a point above the first line must land before it.
    const int row = offset < 0 ? -1 : offset / lineHeight();
    const int line = verticalScrollBar()->value() + row;
    if (line < 0) {
        return {};
    }
    if (line >= lineCount()) {
        return {lineCount() - 1, static_cast<int>(lineText(lineCount() - 1).size())};
    }
    const QString text = lineText(line);
    const QFontMetrics metrics(font());
    const int x = point.x() - kMargin + horizontalScrollBar()->value();
    // The first column whose start lies at or right of the point, then the nearer of it and the
    // one before; a non-monospaced font makes counting character widths unreliable.
    int low = 0;
    int high = static_cast<int>(text.size());
    while (low < high) {
        const int middle = (low + high) / 2;
        if (AdvanceTo(metrics, text, middle) < x) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    int column = low;
    if (column > 0 && x - AdvanceTo(metrics, text, column - 1) < AdvanceTo(metrics, text, column) - x) {
        --column;
    }
    // Never between the two halves of a surrogate pair.
    if (column > 0 && column < text.size() && text.at(column).isLowSurrogate()) {
        --column;
    }
    return {line, column};
}

void LogView::dragTo(QPoint point) {
    m_dragPoint = point;
    const Position caret = positionAt(point);
    if (caret != m_caret) {
        m_caret = caret;
        viewport()->update();
    }
}

void LogView::stopAutoScroll() {
    if (m_autoScrollTimer != 0) {
        killTimer(m_autoScrollTimer);
        m_autoScrollTimer = 0;
    }
}

void LogView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (!event->modifiers().testFlag(Qt::ShiftModifier)) {
        m_anchor = positionAt(point);
    }
    m_selecting = true;
    m_caret = m_anchor;
    dragTo(point);
    viewport()->update();
}

void LogView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_selecting) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    dragTo(event->position().toPoint());
    // Outside the view the text keeps moving under a mouse that holds still.
    const bool outside = !viewport()->rect().contains(m_dragPoint);
    if (outside && m_autoScrollTimer == 0) {
        m_autoScrollTimer = startTimer(kAutoScrollMs);
    } else if (!outside) {
        stopAutoScroll();
    }
}

void LogView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_selecting) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_selecting = false;
    stopAutoScroll();
}

void LogView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || lineCount() == 0) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    const Position at = positionAt(event->position().toPoint());
    // A word ends at blanks only, so a path or a size with its unit is taken whole.
    const QString text = lineText(at.line);
    const auto blank = [&text](int i) { return text.at(i).isSpace(); };
    int start = at.column;
    int end = at.column;
    while (start > 0 && !blank(start - 1)) {
        --start;
    }
    while (end < text.size() && !blank(end)) {
        ++end;
    }
    m_anchor = {at.line, start};
    m_caret = {at.line, end};
    m_selecting = false;
    viewport()->update();
}

void LogView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_autoScrollTimer) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    const QRect area = viewport()->rect();
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    if (m_dragPoint.y() < area.top()) {
        vertical->setValue(vertical->value() - 1);
    } else if (m_dragPoint.y() > area.bottom()) {
        vertical->setValue(vertical->value() + 1);
    }
    if (m_dragPoint.x() < area.left()) {
        horizontal->setValue(horizontal->value() - horizontal->singleStep());
    } else if (m_dragPoint.x() > area.right()) {
        horizontal->setValue(horizontal->value() + horizontal->singleStep());
    }
    dragTo(m_dragPoint);
}

bool LogView::event(QEvent* event) {
    // The window's own shortcuts must not take Ctrl+C or Ctrl+A away from the view.
    if (event->type() == QEvent::ShortcutOverride && IsCopyOrSelectAll(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void LogView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelectionToClipboard();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->key() == Qt::Key_End || event->key() == Qt::Key_Home) {
        // End goes back to the newest line, and the view follows it again from there.
        QScrollBar* vertical = verticalScrollBar();
        vertical->setValue(event->key() == Qt::Key_End ? vertical->maximum() : vertical->minimum());
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
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
    const Position from = std::min(m_anchor, m_caret);
    const Position to = std::max(m_anchor, m_caret);
    for (int i = first; i < last; ++i) {
        const QString text = lineText(i);
        painter.setPen(lineColour(i));
        if (!hasSelection() || i < from.line || i > to.line) {
            painter.drawText(x, y, text);
            y += height;
            continue;
        }
        const int start = AdvanceTo(metrics, text, i == from.line ? from.column : 0);
        int end = AdvanceTo(metrics, text, i == to.line ? to.column : static_cast<int>(text.size()));
        if (i < to.line) {
            end += metrics.horizontalAdvance(QLatin1Char(' ')); // the selected line break
        }
        const QRect selected(x + start, y - metrics.ascent(), end - start, height);
        painter.fillRect(selected, palette().brush(QPalette::Highlight));
        painter.drawText(x, y, text);
        painter.save();
        painter.setClipRect(selected);
        painter.setPen(palette().color(QPalette::HighlightedText));
        painter.drawText(x, y, text);
        painter.restore();
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
    } else if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
}

} // namespace talvex::gui
