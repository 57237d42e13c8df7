// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/Application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>
#include <algorithm>
#include <clocale>
#include <cstring>

#include "core/presentation/Languages.h"
#include "core/services/Translate.h"

namespace talvex::gui {

namespace {

constexpr int kInterfacePixelHeight = 11;

bool HasFamily(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

} // namespace

std::string InitTranslations(const std::string& programFolder) {
    // glibc ignores LANGUAGE while LC_MESSAGES is "C"; C.UTF-8 keeps the C behaviour otherwise.
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (messages == nullptr || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0) {
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    }
    std::string folder = presentation::FindCatalogueFolder(programFolder);
    InitCatalogues(folder);
    return folder;
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

void InstallQtTranslations(const std::string& languageCode) {
    // The translator lives as a child of the application, so the next language finds and replaces it.
    const QString name = QStringLiteral("talvex_qtbase");
    if (auto* previous = qApp->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly)) {
        QApplication::removeTranslator(previous);
        delete previous; // NOLINT(cppcoreguidelines-owning-memory): a child replaced before its parent ends
    }
    auto* translator = new QTranslator(qApp);
    translator->setObjectName(name);
    if (translator->load(QLocale(QString::fromStdString(languageCode)), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

QFont LogFont() {
    // robocopy's tables line up only in a font whose characters all have one width. The system's
    // "monospace" may resolve to a font with a few wider glyphs (Noto Sans Mono), so a family is
    // taken only when the font database knows it as fixed-pitch.
    QString family;
    for (const char* candidate : {"Lucida Console", "DejaVu Sans Mono", "Liberation Mono", "Noto Mono"}) {
        if (HasFamily(QString::fromLatin1(candidate))) {
            family = QString::fromLatin1(candidate);
            break;
        }
    }
    if (family.isEmpty()) {
        family = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        if (!QFontDatabase::isFixedPitch(family)) {
            const QStringList families = QFontDatabase::families();
            const auto fixed = std::find_if(families.begin(), families.end(),
                                            [](const QString& f) { return QFontDatabase::isFixedPitch(f); });
            if (fixed != families.end()) {
                family = *fixed;
            }
        }
    }
    QFont font(family);
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(kInterfacePixelHeight);
    return font;
}

} // namespace talvex::gui
