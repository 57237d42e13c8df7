// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace talvex::gui {

/// Makes gettext serve the catalogues beside the program. Must run after the QApplication
/// constructor, which sets the process locale from the environment.
void InitTranslations(const std::string& programFolder);

} // namespace talvex::gui
