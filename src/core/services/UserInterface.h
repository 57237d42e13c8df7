// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace talvex {

enum class MessageKind {
    Information,
    Warning,
    Error,
    Question,
};

enum class Buttons {
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
};

enum class Answer {
    Ok,
    Cancel,
    Yes,
    No,
};

/// One filter of a file dialog: a caption such as "Jobdateien (*.rcj)" and its patterns.
struct FileFilter {
    std::string caption;
    std::vector<std::string> patterns;
};

struct FileDialogRequest {
    std::string title;
    std::string initialFolder;
    std::string initialName;
    std::vector<FileFilter> filters;
    int selectedFilter = 0;
    /// A check box of the dialog with this label, when not empty ("Robocopy mitspeichern.").
    std::string optionLabel;
    bool optionChecked = false;
    /// Asks before an existing file is replaced (saving a job; not for files that are appended to).
    bool confirmOverwrite = false;
};

struct FileDialogResult {
    std::string path;
    int selectedFilter = 0;
    /// The state of the dialog's check box when it had one.
    bool optionChecked = false;
};

/// Everything the core asks of the user. The program answers with Qt dialogs; tests answer from a
/// script. Texts are UTF-8 and already translated.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    /// A message box; returns the button pressed (Cancel, or No for Yes/No, when it is closed).
    virtual Answer showMessage(MessageKind kind, const std::string& caption, const std::string& text,
                               Buttons buttons) = 0;
    virtual std::optional<FileDialogResult> chooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogResult> chooseFileToSave(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseFolder(const std::string& title, const std::string& initialFolder,
                                                    bool allowNewFolder) = 0;
};

} // namespace talvex
