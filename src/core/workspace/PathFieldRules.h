// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/options/JobState.h"
#include "core/services/PathDisplay.h"
#include "core/services/UserInterface.h"
#include "core/settings/PathSettings.h"
#include "platform/Volumes.h"

namespace talvex::workspace {

/// The three path histories of a job window. The values are the tags of the history menu's items.
enum class PathHistory {
    Source = 1,
    Destination = 2,
    Image = 4,
};

/// What the path fields need from outside; everything must outlive the rules.
struct PathFieldServices {
    UserInterface& ui;
    const platform::VolumeProbes& volumes;
    /// The settings store's path values; none in a window without settings, which then remembers
    /// no paths.
    settings::PathSettings* paths = nullptr;
    /// Where file dialogs start when nothing better is remembered.
    std::string documentsFolder;
};

/// The choices behind a job's path fields: the folder choosers with the write probe for the
/// destination, the image-file and log-file choosers, and the path histories. Every choice goes
/// into the job's state; histories and remembered folders into the settings store.
class PathFieldRules final {
public:
    /// `job` must outlive the rules.
    PathFieldRules(options::JobState& job, PathFieldServices services);

    void chooseSourceFolder();
    /// A folder the user may not write in is taken only after a warning; `measurer` fits the path
    /// into it.
    void chooseDestinationFolder(const TextMeasurer& measurer);
    void chooseImageFile();

    /// A folder dropped onto the source field, taken as a chosen one.
    void takeSourceFolder(const std::string& folder);
    /// A folder dropped onto the destination field: the write probe and its warning as for a chosen
    /// one. False when the user kept the old destination; nothing is remembered then.
    bool takeDestinationFolder(const std::string& folder, const TextMeasurer& measurer);
    /// Source and destination change places; the new destination is probed like a chosen one. False,
    /// with both left as they were, when the user refused it.
    bool swapFolders(const TextMeasurer& measurer);
    void chooseLogFile();

    /// Whether the history holds an entry (its button is usable).
    [[nodiscard]] bool hasHistory(PathHistory history) const;
    /// The entries for the history menu. Folder histories end before the first folder that has
    /// gone; image files may not exist yet.
    [[nodiscard]] std::vector<std::string> historyEntries(PathHistory history) const;
    /// The field a history fills.
    [[nodiscard]] static options::Control Field(PathHistory history);
    /// Fills the field of `history` with an entry. A folder from the history was accepted before;
    /// it is not probed again.
    void applyHistoryItem(PathHistory history, const std::string& entry);

private:
    /// The write probe, and the warning when it fails; true when the folder may be the destination.
    [[nodiscard]] bool mayWriteIn(const std::string& folder, const TextMeasurer& measurer);
    void remember(std::string_view history, const std::string& folder);

    options::JobState& m_job;
    PathFieldServices m_services;
};

} // namespace talvex::workspace
