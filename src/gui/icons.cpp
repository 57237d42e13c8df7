// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's icon into a hicolor icon theme folder at build time, so that the desktop's
// menu, the window and the package all show the same drawing; on Windows also into the .ico file
// that the program's resources carry for Explorer.
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>
#include <cstdlib>

#include "gui/Pictures.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fputs("Usage: talvex_icons THEME-FOLDER ICON-NAME [ICO-FILE]\n", stderr);
        return EXIT_FAILURE;
    }
    const QGuiApplication app(argc, argv);
    const QString theme = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    const QIcon icon = talvex::gui::PictureIcon(talvex::gui::Picture::Program);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(theme).arg(size);
        if (!QDir().mkpath(folder) ||
            !icon.pixmap(QSize(size, size)).save(QStringLiteral("%1/%2.png").arg(folder, name), "PNG")) {
            std::fprintf(stderr, "talvex_icons: cannot write %s\n", qPrintable(folder));
            return EXIT_FAILURE;
        }
    }
    const QString scalable = theme + QStringLiteral("/scalable/apps");
    if (!QDir().mkpath(scalable)) {
        std::fprintf(stderr, "talvex_icons: cannot create %s\n", qPrintable(scalable));
        return EXIT_FAILURE;
    }
    QSvgGenerator svg;
    svg.setFileName(QStringLiteral("%1/%2.svg").arg(scalable, name));
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("Talvex"));
    {
        QPainter painter(&svg);
        icon.paint(&painter, QRect(0, 0, 32, 32));
    }
    // Windows scales the largest picture down where it needs a smaller one.
    if (argc == 4 && !icon.pixmap(QSize(256, 256)).save(QString::fromLocal8Bit(argv[3]), "ICO")) {
        std::fprintf(stderr, "talvex_icons: cannot write %s\n", argv[3]);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
