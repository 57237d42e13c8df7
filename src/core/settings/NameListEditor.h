// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/IniStore.h"
#include "core/settings/TAusschluss.h"

namespace talvex::settings {

/// One line of a check list: the full text (a name, perhaps followed by a remark in parentheses)
/// and its check mark.
struct NameListEntry {
    std::string text;
    bool checked = false;
    friend bool operator==(const NameListEntry&, const NameListEntry&) = default;
};

/// The name of an entry: its text before the first "(", without blanks and control characters
/// around it. "*.tmp (Zwischendateien)" names "*.tmp".
[[nodiscard]] std::string NameListEntryName(std::string_view entryText);

/// The state of the name list editor without its window: four check lists holding the names kept
/// in "TalvexListe.ini" and the names of the job. The window shows the lists and forwards the
/// user's checks, additions and deletions here.
class NameListEditor final {
public:
    /// The lists at creation: the entries of the file's sections, unchecked, then the job's names
    /// merged in. An entry is checked when its text begins with a job name in lower case; a job
    /// name that checks no entry is added as a checked entry of its own.
    NameListEditor(const IniStore& nameListFile, const TAusschluss& jobLists);

    [[nodiscard]] const std::vector<NameListEntry>& entries(NameList list) const;
    void setChecked(NameList list, std::size_t index, bool checked);
    /// The add field's text as a checked entry; an empty text adds nothing (false). Duplicates are
    /// allowed.
    bool add(NameList list, std::string_view text);
    /// Deletes one entry (an index past the end does nothing) or all of them.
    void remove(NameList list, std::size_t index);
    void removeAll(NameList list);

    /// "Übernehmen": the names of the checked entries become the job's lists, and every entry,
    /// checked or not, is written into the file's four sections as keys "0" to n-1 (an empty list
    /// leaves an empty section). The file still has to be written back.
    void confirm(TAusschluss& jobLists, IniStore& nameListFile) const;

private:
    [[nodiscard]] std::vector<NameListEntry>& at(NameList list);

    std::array<std::vector<NameListEntry>, kNameLists.size()> m_lists;
    /// The job's own names, folded: they are names whole, parentheses and all.
    std::array<std::set<std::string>, kNameLists.size()> m_jobNames;
};

} // namespace talvex::settings
