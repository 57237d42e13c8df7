// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Locale.h"

#include <array>

#include "platform/win32/Wide.h"

namespace talvex::platform {

std::string LocaleThousandsSeparator() {
    // The user's setting from the control panel; the C library's locale knows only "C".
    std::array<wchar_t, 8> buffer{};
    const int length =
        ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, buffer.data(), static_cast<int>(buffer.size()));
    return length > 1 ? win32::Narrow({buffer.data(), static_cast<std::size_t>(length - 1)}) : std::string();
}

} // namespace talvex::platform
