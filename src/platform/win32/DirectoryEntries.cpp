// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DirectoryEntries.h"

#include "platform/CodePage.h"
#include "platform/win32/Wide.h"

namespace talvex::platform {

bool Win32DirectoryEntryLookup::fitsCodePage(std::string_view component) const {
    return IsRepresentableInSystemCodePage(component);
}

std::optional<DirectoryEntryNames> Win32DirectoryEntryLookup::find(const std::string& path) const {
    // Wildcards would make FindFirstFileW answer for some other entry.
    if (path.find_first_of("*?") != std::string::npos) {
        return std::nullopt;
    }
    WIN32_FIND_DATAW data{};
    HANDLE search = ::FindFirstFileW(win32::Widen(path).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    ::FindClose(search);
    return DirectoryEntryNames{win32::Narrow(data.cFileName), win32::Narrow(data.cAlternateFileName)};
}

} // namespace talvex::platform
