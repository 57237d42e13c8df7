// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string_view>

#include "core/services/Translate.h"

namespace talvex::gui {

/// A German message in the current language, as a QString.
inline QString Tr(const char* german) {
    return QString::fromStdString(talvex::tr(german));
}

/// The core's UTF-8 text as a QString.
inline QString ToQ(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace talvex::gui
