// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Locale.h"

#include <clocale>

namespace talvex::platform {

std::string LocaleThousandsSeparator() {
    const std::lconv* conventions = std::localeconv();
    return conventions != nullptr && conventions->thousands_sep != nullptr ? conventions->thousands_sep : "";
}

} // namespace talvex::platform
