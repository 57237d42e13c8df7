// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>
#include <string>
#include <vector>

#include "core/exec/DryRun.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace talvex::gui {

/// The question before a run deletes: how many files and folders would go, the first of their
/// names, and behind "Liste anzeigen" all that were counted. Cancel is the default button, so that
/// a hasty Enter deletes nothing.
class DeletionWarningDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeletionWarningDialog)

public:
    /// How many names are shown before the list is opened.
    static constexpr std::size_t kFirstNames = 5;

    DeletionWarningDialog(const std::string& question, const std::vector<std::string>& names, QWidget* parent);
    ~DeletionWarningDialog() override = default;

    void retranslate();

private:
    void toggleList();

    QLabel* m_question = nullptr;
    QLabel* m_firstNames = nullptr;
    QPlainTextEdit* m_list = nullptr;
    QPushButton* m_showList = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

/// Asks with the dialog above, over the window it is given.
class DialogDeletionQuestions final : public exec::DeletionQuestions {
public:
    void setParentWindow(QWidget* parent) { m_parent = parent; }
    [[nodiscard]] bool confirmDeletion(const std::string& question, const std::vector<std::string>& names) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace talvex::gui
