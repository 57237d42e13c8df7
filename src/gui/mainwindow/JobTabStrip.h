// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <vector>

class QToolButton;

namespace talvex::gui {

/// pnl_JobButton: one tab button per open job, side by side in slots that share the strip's
/// width. The buttons belong to the slots, not to the jobs: closing a job drops the last slot and
/// the captions follow the jobs down.
class JobTabStrip final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JobTabStrip)

public:
    explicit JobTabStrip(QWidget* parent);
    ~JobTabStrip() override = default;

    [[nodiscard]] int count() const { return static_cast<int>(m_tabs.size()); }
    [[nodiscard]] QToolButton* tab(int index) const { return m_tabs.at(static_cast<std::size_t>(index)); }

    void appendTab(const QString& caption);
    void removeLastTab();
    /// A caption too long for its slot is cut in the middle and shown whole in the tooltip.
    void setCaption(int index, const QString& caption);
    /// Marks the tab of the current job.
    void setCurrent(int index);

Q_SIGNALS:
    void tabClicked(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutTabs();
    void showCaption(std::size_t index);

    std::vector<QToolButton*> m_tabs;
    std::vector<QString> m_captions; ///< whole, unescaped: the buttons show them shortened
};

} // namespace talvex::gui
