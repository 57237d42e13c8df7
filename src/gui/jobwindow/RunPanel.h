// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>
#include <chrono>

#include "core/options/JobStateObserver.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace talvex {
namespace exec {
struct RunOutcome;
}
namespace formats {
class FormatServices;
}
namespace options {
class JobState;
}
namespace output {
struct Progress;
}
} // namespace talvex

namespace talvex::gui {

/// The strip below a job's log: the command line Start would run with "Befehlszeile kopieren" and
/// "Simulieren", and the run's progress (bar, current file, time left) that turns into its result
/// in words when the run ends. The line follows every change of the job.
class RunPanel final : public QWidget, private options::JobStateObserver {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RunPanel)

public:
    /// Height of the two rows.
    static constexpr int kHeight = 50;

    /// `job` and `formats` must outlive the panel.
    RunPanel(options::JobState& job, const formats::FormatServices& formats, QWidget* parent);
    ~RunPanel() override;

    void retranslate();

    /// While the job runs; `counting` while the pass with /L before it goes on.
    void showProgress(const output::Progress& progress, std::chrono::system_clock::duration elapsed, bool counting);
    /// The run of this job has ended.
    void showResult(const exec::RunOutcome& outcome);

Q_SIGNALS:
    void simulateRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // JobStateObserver: any change may change the line; it is rebuilt once the changes settle.
    void tickedChanged(options::Control control, bool ticked) override;
    void enabledChanged(options::Control control, bool enabled) override;
    void textChanged(options::Control control, std::string_view text) override;
    void optionChanged() override;

    void refreshPreview();
    void copyPreview();
    void layoutRows();

    options::JobState& m_job;
    const formats::FormatServices& m_formats;
    QTimer m_refresh;
    QLineEdit* m_preview = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_simulate = nullptr;
    QProgressBar* m_bar = nullptr;
    QLabel* m_status = nullptr;
    bool m_complete = false;
};

} // namespace talvex::gui
