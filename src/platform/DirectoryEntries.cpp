// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DirectoryEntries.h"

#include "platform/CodePage.h"

namespace talvex::platform {

bool PosixDirectoryEntryLookup::fitsCodePage(std::string_view component) const {
    return IsRepresentableInSystemCodePage(component);
}

std::optional<DirectoryEntryNames> PosixDirectoryEntryLookup::find(const std::string& path) const {
    // Bytes that are not UTF-8 are still a valid POSIX name: the component stays as it is.
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return DirectoryEntryNames{name, name};
}

} // namespace talvex::platform
