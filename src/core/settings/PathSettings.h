// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/services/Paths.h"
#include "core/settings/IniStore.h"

namespace talvex::settings {

/// The value that stands for "nothing remembered" in path settings and ends every history.
inline constexpr std::string_view kNotAvailable = "na";

inline constexpr std::string_view kSourceHistory = "SDHistorie";
inline constexpr std::string_view kDestinationHistory = "DDHistorie";
inline constexpr std::string_view kImageHistory = "ImgHistorie";
inline constexpr std::string_view kScriptsSection = "Scripte";

/// Whether a history keeps only paths that still exist when it is rewritten. Folder histories
/// drop vanished folders; the image history lists image files that are yet to be made.
enum class HistoryKeeps {
    ExistingPaths,
    AllPaths,
};

/// One entry of the recently used files menu.
struct RecentScript {
    std::string path;    ///< the full file name
    std::string caption; ///< `RelativeJob` of it
};

/// The path values of the settings store: where paths inside the settings folder are stored
/// relative to it, the path histories, the recently used files and the folders the file dialogs
/// start in. Reads and writes the store in memory; the store reaches the disk at shutdown.
class PathSettings final {
public:
    /// `store` must outlive this object. `settingsFolder` has no trailing separator.
    PathSettings(IniStore& store, std::string settingsFolder, PathStyle style = kNativePathStyle);

    [[nodiscard]] const std::string& settingsFolder() const { return m_settingsFolder; }

    /// Stores a path; one inside the settings folder is stored relative to it, so that a settings
    /// folder that moves (a program folder on a USB stick) takes its paths along.
    void writePath(std::string_view section, std::string_view key, std::string_view path);

    /// Reads a path. A stored value other than `defaultValue` without a drive part lies in the
    /// settings folder and comes back with the folder put in front. With `checkExists`, a value that
    /// names neither an existing file nor an existing folder gives `defaultValue`.
    [[nodiscard]] std::string ReadPathSetting(std::string_view section, std::string_view key, bool checkExists,
                                              std::string_view defaultValue) const;

    /// True when the history section holds at least one key (enables its history button).
    [[nodiscard]] bool hasHistory(std::string_view section) const;

    /// The entries of a history for its menu, keys "0", "1", ... until the first missing one; with
    /// `checkExists` the list ends before the first path that no longer exists.
    [[nodiscard]] std::vector<std::string> readHistory(std::string_view section, bool checkExists) const;

    /// Adds a chosen path to a history, kept sorted without regard to case and without entries that
    /// differ only in case. A path already listed changes nothing. Otherwise the section is written
    /// anew as keys "0" to n-1; with `HistoryKeeps::ExistingPaths` the paths that have vanished are
    /// left out then, and only they.
    void addToHistory(std::string_view section, std::string_view path, HistoryKeeps keeps);

    /// Records an opened or saved job or batch file: its folder as "Job"/"Path", the file in the
    /// recently used files (same list rules as a folder history, entries compared as files).
    void RememberScript(std::string_view file);

    /// The recently used files that still exist, in key order, with their menu captions.
    [[nodiscard]] std::vector<RecentScript> recentScripts() const;

    /// The path relative to the folder "Job"/"Path" for a menu caption; unchanged when it lies
    /// elsewhere. Windows paths compare without regard to case; POSIX paths exactly, because there
    /// "Jobs" and "jobs" are different folders and the caption is turned back into a path.
    [[nodiscard]] std::string RelativeJob(std::string_view path) const;

    /// The folder a file dialog starts in for a folder remembered under section/key: the remembered
    /// one when it still exists, else the settings folder when it exists, else `documentsFolder`.
    [[nodiscard]] std::string dialogFolder(std::string_view section, std::string_view key,
                                           std::string_view documentsFolder) const;

    /// The log-file dialog's start folder: the folder of the current log-file text when it has one,
    /// else the folder remembered under "Log"/"Pfad" (see `dialogFolder`).
    [[nodiscard]] std::string logFileDialogFolder(std::string_view currentLogFile,
                                                  std::string_view documentsFolder) const;
    /// A log file chosen in the dialog: remembers its folder under "Log"/"Pfad" and returns the file
    /// name with its extension replaced by ".log", the text for the log-file field.
    [[nodiscard]] std::string acceptLogFile(std::string_view chosenFile);

    /// An image file chosen in its dialog: remembers its folder under "Image"/"Pfad" and adds the
    /// file to the image history.
    void acceptImageFile(std::string_view chosenFile);

private:
    [[nodiscard]] std::string folderOf(std::string_view file) const;
    [[nodiscard]] bool inSettingsFolder(std::string_view path) const;
    [[nodiscard]] std::vector<std::string> readNumbered(std::string_view section, bool relative) const;
    void updateList(std::string_view section, std::string_view path, bool relative, HistoryKeeps keeps);

    IniStore& m_store;
    std::string m_settingsFolder;
    PathStyle m_style;
};

/// The file name with the extension of its last part replaced (or, without one, appended).
[[nodiscard]] std::string ReplaceExtension(std::string_view file, std::string_view extension,
                                           PathStyle style = kNativePathStyle);

} // namespace talvex::settings
