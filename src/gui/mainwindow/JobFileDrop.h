// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <string>

class QMimeData;
class QWidget;

namespace talvex::gui {

/// Job and batch files dropped from a file manager onto a window are opened, each as Open would.
class JobFileDrop final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JobFileDrop)

public:
    /// Watches `window`, which is its parent; `open` opens one file.
    JobFileDrop(QWidget* window, std::function<void(const std::string&)> open);
    ~JobFileDrop() override = default;

    /// The job and batch files (".rcj", ".cmd", ".bat", any case) among the local files a drag carries.
    [[nodiscard]] static QStringList JobFiles(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const std::string&)> m_open;
};

} // namespace talvex::gui
