// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/Application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStyleFactory>
#include <clocale>
#include <cstring>

#include "core/presentation/Translate.h"

namespace talvex::gui {

namespace {

constexpr int kInterfacePixelHeight = 11;

bool HasFamily(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

} // namespace

void InitTranslations(const std::string& programFolder) {
    // glibc ignores LANGUAGE while LC_MESSAGES is "C"; C.UTF-8 keeps the C behaviour otherwise.
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (messages == nullptr || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0) {
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    }
    InitCatalogues(programFolder + "/locale");
}

void InstallInterfaceFont() {
    const QString tahoma = QStringLiteral("Tahoma");
    if (!HasFamily(tahoma)) {
        for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
            QFontDatabase::addApplicationFont(QString::fromUtf8(file));
        }
    }
    QFont font(HasFamily(tahoma) ? tahoma : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    font.setPixelSize(kInterfacePixelHeight);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(font);
}

QFont LogFont() {
    const QString lucida = QStringLiteral("Lucida Console");
    QFont font = HasFamily(lucida) ? QFont(lucida) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(kInterfacePixelHeight);
    return font;
}

} // namespace talvex::gui
