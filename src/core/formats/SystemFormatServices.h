// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/formats/FormatServices.h"
#include "platform/Clock.h"
#include "platform/DirectoryEntries.h"
#include "platform/SpecialFolders.h"

namespace talvex::formats {

/// The program's answers: the system clock's texts, the version of the program file, the file
/// system's short and long names, and the default log file below the user's special folders.
/// Every reference must outlive the object.
class SystemFormatServices final : public FormatServices {
public:
    SystemFormatServices(const platform::Clock& clock, std::string programFile,
                         const platform::DirectoryEntryLookup& lookup, const platform::SpecialFolders& folders);

    [[nodiscard]] std::string dateText() const override;
    [[nodiscard]] std::string timeText() const override;
    [[nodiscard]] std::string versionText() const override;
    [[nodiscard]] std::string toCodePagePath(std::string_view path) const override;
    [[nodiscard]] std::string toLongPath(std::string_view path) const override;
    [[nodiscard]] std::string defaultLogFile() const override;

private:
    const platform::Clock& m_clock;
    std::string m_programFile;
    const platform::DirectoryEntryLookup& m_lookup;
    const platform::SpecialFolders& m_folders;
};

} // namespace talvex::formats
