// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/Application.h"

#include <clocale>
#include <cstring>

#include "core/presentation/Translate.h"

namespace talvex::gui {

void InitTranslations(const std::string& programFolder) {
    // glibc ignores LANGUAGE while LC_MESSAGES is "C"; C.UTF-8 keeps the C behaviour otherwise.
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (messages == nullptr || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0) {
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    }
    InitCatalogues(programFolder + "/locale");
}

} // namespace talvex::gui
