// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <string>

class QMenu;
class QToolButton;
class QWidget;

namespace talvex::options {
class JobState;
}

namespace talvex::gui {

struct JobWindowServices;

/// The job window's path fields: the folder choosers behind edt_PSD and edt_PDD (with the write
/// probe for the destination), the image-file and log-file choosers, and the history buttons with
/// their menu pmn_Historie. Every choice goes into the job model; the histories and remembered
/// folders go into the settings store, when the window has one.
class PathFields final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PathFields)

public:
    /// Tags of the history menu's items: which field an item fills.
    enum HistoryTag {
        SourceHistory = 1,
        DestinationHistory = 2,
        ImageHistory = 4,
    };

    /// `window` holds the fields and buttons (found by name) and parents the menu.
    PathFields(options::JobState& state, const JobWindowServices& services, QWidget* window);
    ~PathFields() override = default;

    void chooseSourceFolder();
    void chooseDestinationFolder();
    void chooseImageFile();
    void chooseLogFile();

    /// Fills pmn_Historie from the history of `tag`, checks the entry of the field's current path
    /// and opens the menu below the button.
    void showHistory(HistoryTag tag);
    void applyHistoryItem(HistoryTag tag, const std::string& path);

    /// Enables the two folder history buttons exactly when their history holds an entry.
    void refreshHistoryButtons();

    [[nodiscard]] QMenu* historyMenu() const { return m_menu; }

private:
    void addToHistory(HistoryTag tag, const std::string& path);
    [[nodiscard]] QToolButton* button(const char* name) const;

    options::JobState& m_state;
    const JobWindowServices& m_services;
    QPointer<QWidget> m_window;
    QMenu* m_menu;
};

} // namespace talvex::gui
