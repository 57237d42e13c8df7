// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/DetectRobocopy.h"

#include <array>
#include <utility>

#include "core/services/AsciiCase.h"
#include "core/services/Translate.h"
#include "core/services/VersionInfo.h"
#include "platform/ProgramSearch.h"

namespace talvex::exec {

namespace {

// The company every program of ours names in its version fields.
constexpr std::string_view kOwnCompany = "Talvex";

struct KnownVersion {
    std::string_view fileVersion;
    std::string_view shownName;
};

constexpr std::array kKnownVersions{
    KnownVersion{"5.1.2600.26", "RoboCopy XP026"},
    KnownVersion{"5.1.1.1010", "RoboCopy XP010"},
    KnownVersion{"4.0.1.96", "RoboCopy v1.96"},
};

} // namespace

std::string RobocopyShownName(std::string_view fileVersion) {
    for (const KnownVersion& known : kKnownVersions) {
        if (known.fileVersion == fileVersion) {
            return std::string(known.shownName);
        }
    }
    return "RoboCopy " + std::string(fileVersion);
}

std::optional<RobocopyDetection> DetectRobocopy(const RobocopyLocations& locations, UserInterface& ui) {
    std::vector<std::string> folders;
    const auto add = [&folders](const std::string& folder) {
        if (!folder.empty()) {
            folders.push_back(folder);
        }
    };
    add(locations.settingsFolder);
    for (const std::string& folder : locations.systemFolders) {
        add(folder);
    }
    add(locations.programFolder);

    // Letter case is ignored as it would be on Windows, and only a file that can be run counts:
    // anything else would be found here and then fail at every Start.
    std::optional<std::string> programFile = platform::FindProgram("robocopy", folders);
    if (!programFile) {
        ui.showMessage(MessageKind::Error, "Talvex",
                       tr("RoboCopy.exe wurde nicht gefunden. Die Anwendung wird geschlossen."), Buttons::Ok);
        return std::nullopt;
    }
    RobocopyDetection detection;
    detection.programFile = std::move(*programFile);
    VersionInfo info;
    if (ReadVersionInfo(detection.programFile, false, info) && !info.fileVersion.empty() &&
        AsciiLower(info.internalName) == "robocopy") {
        detection.shownName = RobocopyShownName(info.fileVersion);
        detection.bundledEngine = info.companyName == kOwnCompany;
    }
    return detection;
}

} // namespace talvex::exec
