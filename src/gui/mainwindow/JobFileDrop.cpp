// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow/JobFileDrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <utility>

namespace talvex::gui {

JobFileDrop::JobFileDrop(QWidget* window, std::function<void(const std::string&)> open)
    : QObject(window), m_open(std::move(open)) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

QStringList JobFileDrop::JobFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        const QFileInfo file(url.toLocalFile());
        const QString suffix = file.suffix().toLower();
        if (url.isLocalFile() && file.isFile() &&
            (suffix == QLatin1String("rcj") || suffix == QLatin1String("cmd") || suffix == QLatin1String("bat"))) {
            files << file.filePath();
        }
    }
    return files;
}

bool JobFileDrop::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!JobFiles(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = JobFiles(drop->mimeData());
        if (!files.isEmpty()) {
            drop->acceptProposedAction();
            for (const QString& file : files) {
                m_open(file.toStdString());
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace talvex::gui
