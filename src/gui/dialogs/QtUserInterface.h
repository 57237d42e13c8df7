// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/services/UserInterface.h"

namespace talvex::gui {

/// Answers the core's questions with Qt's message boxes and file and folder dialogs, parented to a
/// window so that they open above it.
class QtUserInterface final : public UserInterface {
public:
    explicit QtUserInterface(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParentWindow(QWidget* parent) { m_parent = parent; }

    Answer showMessage(MessageKind kind, const std::string& caption, const std::string& text, Buttons buttons) override;
    std::optional<FileDialogResult> chooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> chooseFileToSave(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title, const std::string& initialFolder,
                                            bool allowNewFolder) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace talvex::gui
