// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/services/Paths.h"
#include "core/services/UserInterface.h"
#include "core/settings/NameListEditor.h"

namespace talvex::options {
class JobState;
}

namespace talvex::settings {

/// The name list editor's window: shows the editor's lists modally, lets the user change them and
/// reports whether it was closed with "Übernehmen".
class NameListWindow {
public:
    virtual ~NameListWindow() = default;
    [[nodiscard]] virtual bool run(NameListEditor& editor) = 0;
};

/// The "Liste" button of a job: opens the editor on the job's name lists and the names kept in
/// "TalvexListe.ini" in the settings folder. When it is confirmed, the file is written (a failure
/// is reported to the user) and the job's name-list text and indicator boxes are rebuilt from the
/// checked entries. The job is marked modified either way. With an empty `settingsFolder` no file
/// is read or written.
void EditNameLists(options::JobState& job, std::string_view settingsFolder, NameListWindow& window, UserInterface& ui,
                   PathStyle style = kNativePathStyle);

} // namespace talvex::settings
