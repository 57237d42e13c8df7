// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/TAusschluss.h"

#include <optional>

namespace talvex::settings {
namespace {

std::size_t IndexOf(NameList list) {
    return static_cast<std::size_t>(list);
}

} // namespace

std::string_view NameListSwitch(NameList list) {
    switch (list) {
    case NameList::IncludeFiles:
        return "/IF";
    case NameList::ExcludeFiles:
        return "/XF";
    case NameList::IncludeFolders:
        return "/ID";
    case NameList::ExcludeFolders:
        return "/XD";
    }
    return {};
}

void TAusschluss::reset() {
    for (const NameList list : kNameLists) {
        m_arrays[IndexOf(list)] = {std::string(NameListSwitch(list))};
    }
}

void TAusschluss::add(NameList list, std::string_view name) {
    m_arrays[IndexOf(list)].emplace_back(name);
}

const std::vector<std::string>& TAusschluss::array(NameList list) const {
    return m_arrays[IndexOf(list)];
}

TAusschluss ReadNameListText(std::string_view text) {
    TAusschluss lists;
    std::optional<NameList> current;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        bool isSwitch = false;
        for (const NameList list : kNameLists) {
            if (line == NameListSwitch(list)) { // exact: "/xd" is a name, not a heading
                current = list;
                isSwitch = true;
            }
        }
        if (!isSwitch && current) {
            lists.add(*current, line);
        }
    }
    return lists;
}

std::string NameListText(const TAusschluss& lists) {
    std::string text;
    for (const NameList list : kNameLists) {
        if (!lists.hasNames(list)) {
            continue;
        }
        for (const auto& element : lists.array(list)) {
            text.append(element).append("\n");
        }
        text.append("\n");
    }
    return text;
}

} // namespace talvex::settings
