// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/SystemFormatServices.h"

#include <utility>

#include "core/formats/JobFileWriter.h"
#include "core/services/ShortPaths.h"
#include "core/services/VersionInfo.h"
#include "platform/PathQueries.h"

namespace talvex::formats {

SystemFormatServices::SystemFormatServices(const platform::Clock& clock, std::string programFile,
                                           const platform::DirectoryEntryLookup& lookup,
                                           const platform::SpecialFolders& folders)
    : m_clock(clock), m_programFile(std::move(programFile)), m_lookup(lookup), m_folders(folders) {}

std::string SystemFormatServices::dateText() const {
    return m_clock.shortDateText();
}

std::string SystemFormatServices::timeText() const {
    return m_clock.longTimeText();
}

std::string SystemFormatServices::versionText() const {
    return FileVersionText(m_programFile);
}

// A component without a short name stays as it is: the path then still names the folder where the
// code page can hold it, which beats dropping the component.
std::string SystemFormatServices::toCodePagePath(std::string_view path) const {
    return ToCodePagePath(path, m_lookup).path;
}

std::string SystemFormatServices::toLongPath(std::string_view path) const {
    return ToLongPath(path, m_lookup).path;
}

std::string SystemFormatServices::defaultLogFile() const {
    return DefaultLogFile(m_folders.applicationData(), m_folders.documents(),
                          [](const std::string& folder) { return platform::IsFolder(folder); });
}

} // namespace talvex::formats
