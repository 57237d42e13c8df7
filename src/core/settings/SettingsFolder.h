// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/services/Paths.h"
#include "platform/Files.h"

namespace talvex::settings {

inline constexpr std::string_view kSettingsFileName = "Talvex.ini";
inline constexpr std::string_view kNameListFileName = "TalvexListe.ini";
/// The folder made for the settings inside the user's application-data folder.
inline constexpr std::string_view kSettingsFolderName = "Talvex";

/// The two places the settings may live, in the order the first-run dialog lists them.
enum class SettingsLocation {
    ProgramFolder = 0,
    ApplicationData = 1,
};

/// The first-run question: where to keep the settings. The program shows its dialog; tests answer
/// from a script.
class FirstRunChoice {
public:
    virtual ~FirstRunChoice() = default;
    /// Shows the choice with `preselected` marked. Returns the item the user took, or nothing when
    /// the dialog was closed without "Übernehmen" (which counts as the marked item).
    [[nodiscard]] virtual std::optional<SettingsLocation> chooseSettingsLocation(SettingsLocation preselected) = 0;
};

struct SettingsFolderResult {
    /// The settings folder, without a trailing separator.
    std::string folder;
    /// True when neither place held a settings file and the user was asked.
    bool firstRun = false;
    /// Set when the chosen folder could not be made; `folder` then names it all the same.
    std::optional<platform::FileError> error;
};

/// Finds the settings folder: the program folder when it holds a settings file, else the folder
/// "Talvex" in the application-data folder when that does; otherwise asks the user (application data
/// preselected) and creates the chosen folder with its missing parents. Writes no file.
[[nodiscard]] SettingsFolderResult FindSettingsFolder(std::string_view programFolder,
                                                      std::string_view applicationDataFolder, FirstRunChoice& choice,
                                                      PathStyle style = kNativePathStyle);

/// "Talvex.ini" in the settings folder.
[[nodiscard]] std::string SettingsFilePath(std::string_view settingsFolder, PathStyle style = kNativePathStyle);

} // namespace talvex::settings
