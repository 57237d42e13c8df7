// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/FormatServices.h"
#include "core/options/JobEnvironment.h"
#include "core/services/LogSink.h"
#include "core/services/PathDisplay.h"
#include "core/services/Paths.h"
#include "core/services/UserInterface.h"
#include "core/settings/IniStore.h"
#include "core/settings/PathSettings.h"
#include "core/settings/ProgramSettings.h"
#include "core/workspace/BatchWriter.h"
#include "core/workspace/JobList.h"
#include "platform/Files.h"
#include "platform/SystemNames.h"

namespace talvex::workspace {

/// What the workspace needs from the program around it. Every reference must outlive the workspace.
struct WorkspaceServices {
    options::JobEnvironment& environment;
    const formats::FormatServices& formats;
    settings::IniStore& store;
    settings::PathSettings& paths;
    UserInterface& ui;
    /// Measures texts for the paths shortened in message boxes.
    const TextMeasurer& measurer;
    /// The user's documents folder, where file dialogs start when nothing better exists.
    std::string documentsFolder;
    /// Searched for the robocopy that is copied beside a saved job, after the settings folder.
    std::vector<std::string> systemFolders;
    PathStyle style = kNativePathStyle;
    /// The system calls files are saved with; null for the system's own. Tests pass failing ones.
    platform::FileIo* files = nullptr;
};

/// Which file commands can be used now.
struct CommandStates {
    bool save = false;    ///< the current job is modified
    bool saveAs = false;  ///< modified, or it came from a file
    bool saveAll = false; ///< "Multi Job speichern": at least two jobs are open
};

/// The state of the default-job menu items.
struct DefaultJobMenu {
    bool loadEnabled = false;
    bool deleteEnabled = false;
    bool newWithDefaultsEnabled = false;
    bool newWithDefaultsChecked = false;
};

/// The file name of the robocopy program that is copied beside a saved job.
inline constexpr std::string_view kRobocopyFileName = platform::kRobocopyFileName;

inline constexpr std::string_view kDefaultJobFileName = "~default.rcj";

/// The open jobs and the file commands on them: new, open, save, close, exit, batch files of one or
/// many jobs and the default job. Every question, file choice and message goes through
/// `UserInterface`; log lines go to the current job's log. Not thread-safe.
class Workspace final {
public:
    Workspace(WorkspaceServices services, JobList::LogFactory logFactory);
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    [[nodiscard]] JobList& jobs() { return m_jobs; }
    [[nodiscard]] const JobList& jobs() const { return m_jobs; }
    [[nodiscard]] JobEntry& current() { return m_jobs.current(); }
    [[nodiscard]] LogSink& log() { return *current().log; }
    [[nodiscard]] const WorkspaceServices& services() const { return m_services; }
    /// What the save operations of the batch writers need.
    [[nodiscard]] SaveServices saveServices();

    // ---- the job list ----------------------------------------------------------------------

    /// Appends a fresh job and makes it current; with "Neuer Job mit Voreinstellungen" ticked the
    /// default job is loaded into it silently.
    JobEntry& NewJob();
    /// Makes the job at `index` current and remembers the folder of its file as "Job"/"Path".
    void SelectJob(std::size_t index);
    /// Removes the current job (there are at least two); job 0 becomes current.
    void CloseJob();
    /// Removes every job and opens a fresh one.
    void CloseAllJobs();

    [[nodiscard]] CommandStates commandStates() const;

    // ---- file commands ---------------------------------------------------------------------

    void New();
    /// Asks for a file and opens it. False when nothing was opened.
    [[nodiscard]] bool Open();
    /// Opens a chosen file into the current job when it is an untouched new one, else into a new
    /// job; multi-job batch files open one job per job of the file. Why a file could not be read
    /// is in the job's log.
    [[nodiscard]] bool OpenFile(const std::string& path);
    /// Opens an entry of the recently used files (`settings::RecentScript::path`) as Open does.
    void OpenRecent(const std::string& path);
    [[nodiscard]] bool Save() { return SaveJob(false); }
    [[nodiscard]] bool SaveAs() { return SaveJob(true); }
    /// Writes the current job by its kind; with `saveAs` (or a job without a file) the user picks the
    /// file and its layout first. True when written without error; a failed write is logged in red
    /// with its reason and shown in a message box.
    [[nodiscard]] bool SaveJob(bool saveAs);
    /// "Multi Job speichern": all open jobs into one batch file the user picks. A file that could
    /// not be written is reported as `SaveJob` does and is not remembered as recently used.
    void SaveAllJobs();
    /// Closes the current job after the modified-job question.
    void Close();
    /// Asks about every modified job; true when the program may end.
    [[nodiscard]] bool Exit();

    /// Asks for every open job of the same file whether to load it again. False when loading must
    /// not go on; the job of the last refusal is then current.
    [[nodiscard]] bool AlreadyOpen(const std::string& path);
    /// The modified-job question. True when the caller may go on (Yes with a successful save, or No).
    [[nodiscard]] bool ConfirmDiscard();
    /// Reads the current job's job file into it (kinds 1 and 4).
    void LoadJobFile();

    // ---- the default job -------------------------------------------------------------------

    [[nodiscard]] std::string defaultJobPath() const;
    void SaveDefaultJob();
    void LoadDefaultJob(bool silent);
    void DeleteDefaultJob();
    void ToggleNewWithDefaults();
    /// The menu states at start-up, from the default job on disk and "Settings"/"New".
    void initDefaultJobMenu();
    [[nodiscard]] const DefaultJobMenu& defaultJobMenu() const { return m_defaultMenu; }

    // ---- helpers for the batch readers and writers -------------------------------------------

    /// Copies robocopy beside `jobFile` unless one is there, and logs the outcome.
    void copyRobocopyBeside(const std::string& jobFile);
    /// The start folder of the file dialogs.
    [[nodiscard]] std::string dialogFolder() const;

private:
    bool reuseOrCreateJob();
    void readByKind(JobEntry& entry);
    Status writeByKind(JobEntry& entry);
    void reportSaveFailure(LogSink& log, const Status& status);

    WorkspaceServices m_services;
    settings::ProgramSettings m_settings;
    JobList m_jobs;
    DefaultJobMenu m_defaultMenu;
    platform::FileIo m_systemFiles;
};

} // namespace talvex::workspace
