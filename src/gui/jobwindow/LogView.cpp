// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/LogView.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>

#include "core/presentation/Translate.h"
#include "gui/Application.h"

namespace talvex::gui {

namespace {

QString Tr(const char* german) {
    return QString::fromStdString(talvex::tr(german));
}

} // namespace

LogView::LogView(QWidget* parent) : QPlainTextEdit(parent), m_menu(new QMenu(this)) {
    setObjectName(QStringLiteral("red_Log"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFont(LogFont());
    setUndoRedoEnabled(false);

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
            [this](const QPoint& at) { m_menu->popup(viewport()->mapToGlobal(at)); });
}

void LogView::appendLine(std::string_view text, LogColour colour) {
    const Rgb rgb = ToRgb(colour);
    QTextCharFormat format;
    format.setForeground(QColor(rgb.red, rgb.green, rgb.blue));

    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    if (!m_empty) {
        cursor.insertBlock();
    }
    m_empty = false;
    cursor.insertText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), format);

    // Keep the newest line in sight without taking the focus from what the user is doing.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void LogView::clearLog() {
    clear();
    m_empty = true;
}

void LogView::copyAllToClipboard() {
    selectAll();
    QGuiApplication::clipboard()->setText(toPlainText());
    QTextCursor start(document());
    setTextCursor(start);
}

} // namespace talvex::gui
