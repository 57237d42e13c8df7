// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

#include "core/services/LogSink.h"

class QMenu;

namespace talvex::gui {

/// The job window's log view red_Log: read-only, both scroll bars, no word wrap, one colour per
/// line in the log font, and the popup menu pmn_Log (empty the log, copy it all). Every line is
/// appended at the end and the view follows it, so the newest line is always in sight.
class LogView final : public QPlainTextEdit, public LogSink {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LogView)

public:
    explicit LogView(QWidget* parent);
    ~LogView() override = default;

    void appendLine(std::string_view text, LogColour colour) override;

    /// pmi_ZwAblage: the whole text to the clipboard (an empty text for an empty log), leaving the
    /// selection empty at the start.
    void copyAllToClipboard();

    /// pmi_Loeschen: empties the log.
    void clearLog();

    [[nodiscard]] QMenu* popupMenu() const { return m_menu; }

private:
    QMenu* m_menu;
    bool m_empty = true; // the first line goes into the document's initial empty block
};

} // namespace talvex::gui
