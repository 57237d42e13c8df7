// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "core/presentation/Translate.h"
#include "gui/Application.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    talvex::gui::InitTranslations(QCoreApplication::applicationDirPath().toStdString());

    QMainWindow window;
    window.setObjectName(QStringLiteral("Tfrm_Haupt"));
    window.setWindowTitle(QStringLiteral("Talvex"));
    auto* label = new QLabel(QString::fromStdString(talvex::tr("Talvex wird gerade aufgebaut.")), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
