// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/EditNameLists.h"

#include "core/options/JobState.h"
#include "core/settings/SaveSettings.h"
#include "core/settings/SettingsFolder.h"

namespace talvex::settings {

void EditNameLists(options::JobState& job, std::string_view settingsFolder, NameListWindow& window, UserInterface& ui,
                   PathStyle style) {
    TAusschluss lists = ReadNameListText(job.nameListText());
    // A file that cannot be read gives empty lists, and its store refuses to be written back, so
    // the names kept in it are not replaced by the few on screen.
    // Without a settings folder there is no file: the editor shows the job's names only, and
    // nothing is written next to wherever the program happened to be started.
    const bool hasFile = !settingsFolder.empty();
    IniStore file =
        hasFile ? IniStore::Open(JoinPath(settingsFolder, kNameListFileName, style), IniEncoding::SystemCodePage).store
                : IniStore{};
    NameListEditor editor(file, lists);
    if (window.run(editor)) {
        editor.confirm(lists, file);
        if (hasFile) {
            (void)SaveSettings(file, ui);
        }
        job.setNameListText(NameListText(lists));
    }
    job.optionChanged();
}

} // namespace talvex::settings
