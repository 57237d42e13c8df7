// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QPoint>
#include <QString>
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/services/LogSink.h"

class QMenu;

namespace talvex::gui {

/// The job window's log view red_Log: read-only lines, each in its colour, in the log font, with
/// both scroll bars, no word wrap, and the popup menu pmn_Log (empty the log, copy the selection,
/// copy it all). Every line is appended at the end; while the view is at its end it follows, so the
/// newest line stays in sight, and a user who scrolls up to read stays there (End resumes). Text is selected with the
/// mouse (a double click takes a word), Ctrl+A selects everything, and Ctrl+C copies the selection.
///
/// A run can write hundreds of thousands of lines, so the view keeps plain lines and paints only
/// those in sight instead of laying out a rich-text document: appending costs the same at line
/// 200,000 as at line 1, and no line is laid out twice.
class LogView final : public QAbstractScrollArea, public LogSink {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LogView)

public:
    explicit LogView(QWidget* parent);
    ~LogView() override = default;

    /// Appends a line (UTF-8); a text holding line breaks gives one line per part.
    void appendLine(std::string_view text, LogColour colour) override;

    /// pmi_Loeschen: empties the log.
    void clearLog();
    /// pmi_ZwAblage: the whole text to the clipboard, lines joined by line breaks (an empty text
    /// for an empty log).
    void copyAllToClipboard();
    /// Ctrl+C and pmi_Auswahl: the selected text to the clipboard; nothing happens without one.
    void copySelectionToClipboard();
    /// Ctrl+A.
    void selectAll();

    [[nodiscard]] bool hasSelection() const { return m_anchor != m_caret; }
    /// The selected part of the lines as shown, lines joined by "\n".
    [[nodiscard]] QString selectedText() const;

    [[nodiscard]] int lineCount() const { return static_cast<int>(m_lines.size()); }
    /// The line as shown: tabs expanded to the next multiple of eight columns.
    [[nodiscard]] QString lineText(int index) const;
    [[nodiscard]] QColor lineColour(int index) const;
    /// All lines joined by "\n".
    [[nodiscard]] QString text() const;
    /// True when the newest line is in sight (once the lines appended so far are shown).
    [[nodiscard]] bool showsLastLine() const;

    /// Brings scroll bars and picture up to date with the lines appended so far. Runs by itself
    /// once the event loop is reached; a burst of lines is so shown once, not line by line.
    void showPendingLines();

    [[nodiscard]] QMenu* popupMenu() const { return m_menu; }

    /// Renews the texts of the context menu in the current language.
    void retranslate();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // The lines are kept as UTF-8 in one buffer: no allocation per line, and half the memory of
    // UTF-16 strings for robocopy's ASCII output. Texts are decoded only for the lines in sight.
    struct Line {
        std::size_t offset;
        std::uint32_t length;
        LogColour colour;
    };

    // A place between two characters: the column counts UTF-16 units of the line as shown.
    struct Position {
        int line = 0;
        int column = 0;
        // clang-tidy 14 takes the defaulted comparison for a comparison with a literal 0.
        auto operator<=>(const Position&) const = default; // NOLINT(modernize-use-nullptr)
    };

    [[nodiscard]] Position positionAt(QPoint point) const;
    void dragTo(QPoint point);
    void stopAutoScroll();
    void addLine(std::string_view text, LogColour colour);
    void updateScrollBars();
    void measureFont();
    [[nodiscard]] int lineHeight() const;
    [[nodiscard]] int visibleLines() const;

    std::string m_text;
    std::vector<Line> m_lines;
    int m_widestColumns = 0;
    int m_charWidth = 1; ///< advance of one character, for the horizontal scroll range
    int m_lineHeight = 1;
    bool m_showPending = false;
    // The selection runs from where the mouse was pressed to where it is now, in either order.
    Position m_anchor;
    Position m_caret;
    bool m_selecting = false;
    QPoint m_dragPoint;
    int m_autoScrollTimer = 0;
    QMenu* m_menu;
};

} // namespace talvex::gui
