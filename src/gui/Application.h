// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <string>

namespace talvex::gui {

/// Makes gettext serve the catalogues beside the program (or the installed ones) and returns their
/// folder. Must run after the QApplication constructor, which sets the process locale from the
/// environment.
std::string InitTranslations(const std::string& programFolder);

/// The font the windows are designed for: Tahoma 8 pt, 11 pixels high. On Linux Tahoma's metrics
/// come from Wine's font (fonts-wine), which fontconfig does not list, so it is loaded from its file;
/// without it a sans font of the same pixel height stands in. Sets it as the application font and
/// the Fusion style, so that every machine draws the same geometry.
void InstallInterfaceFont();

/// Makes Qt's own dialogs (file dialog, message box buttons) speak the language of the program's
/// texts: German unless another language was asked for. A later call replaces the earlier language.
void InstallQtTranslations(const std::string& languageCode);

/// The monospaced font of log views: "Lucida Console" where present, else the system's fixed font,
/// at the interface font's height.
[[nodiscard]] QFont LogFont();

} // namespace talvex::gui
