// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace talvex::settings {

/// The four name lists of a job, in the order their blocks appear in the name-list text.
enum class NameList {
    IncludeFiles,   ///< /IF
    ExcludeFiles,   ///< /XF
    IncludeFolders, ///< /ID
    ExcludeFolders, ///< /XD
};

inline constexpr std::array<NameList, 4> kNameLists = {NameList::IncludeFiles, NameList::ExcludeFiles,
                                                       NameList::IncludeFolders, NameList::ExcludeFolders};

/// "/IF", "/XF", "/ID" or "/XD": the switch, the block heading in the name-list text and the
/// section name in "TalvexListe.ini".
[[nodiscard]] std::string_view NameListSwitch(NameList list);

/// The exchange object between a job and the name list editor: four arrays whose first element is
/// the list's switch, followed by its names.
class TAusschluss final {
public:
    TAusschluss() { reset(); }

    /// Each array becomes its switch alone.
    void reset();
    void add(NameList list, std::string_view name);
    void addIncludeFile(std::string_view name) { add(NameList::IncludeFiles, name); }
    void addExcludeFile(std::string_view name) { add(NameList::ExcludeFiles, name); }
    void addIncludeFolder(std::string_view name) { add(NameList::IncludeFolders, name); }
    void addExcludeFolder(std::string_view name) { add(NameList::ExcludeFolders, name); }

    /// The array: the switch, then the names.
    [[nodiscard]] const std::vector<std::string>& array(NameList list) const;
    /// True when the array holds names (more than its switch).
    [[nodiscard]] bool hasNames(NameList list) const { return array(list).size() > 1; }

private:
    std::array<std::vector<std::string>, kNameLists.size()> m_arrays;
};

/// Reads a job's name-list text: a line that is exactly a switch makes its list current, any other
/// line is a name of the current list; lines before the first switch belong to no list.
[[nodiscard]] TAusschluss ReadNameListText(std::string_view text);

/// The name-list text of the lists: for /IF, /XF, /ID and /XD in this order, a list with names
/// gives its switch, one line per name and an empty line. Lines end in "\n".
[[nodiscard]] std::string NameListText(const TAusschluss& lists);

} // namespace talvex::settings
