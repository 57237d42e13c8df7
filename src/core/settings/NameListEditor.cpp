// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/NameListEditor.h"

#include "core/services/AsciiCase.h"

namespace talvex::settings {
namespace {

std::string_view TrimControls(std::string_view text) {
    const auto blankOrControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blankOrControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blankOrControl(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string Folded(std::string_view text) {
    return AsciiLower(TrimControls(text));
}

void MergeJobNames(std::vector<NameListEntry>& entries, const std::vector<std::string>& array) {
    if (array.size() <= 1) {
        return;
    }
    const bool wasEmpty = entries.empty();
    for (std::size_t i = 1; i < array.size(); ++i) {
        const std::string& name = array[i];
        // A blank name would be the beginning of every entry and check them all; the empty line
        // that ends each block of the job's text reaches here as such a name.
        if (TrimControls(name).empty()) {
            continue;
        }
        if (wasEmpty) {
            entries.push_back({name, true});
            continue;
        }
        // The entry that names the same thing, in any letter case, with or without a remark. A
        // prefix or a case-sensitive match would add a second "Thumbs.db" on every confirmation,
        // or turn the job's "*.do" into "*.doc" and "*.dot".
        const std::string wanted = Folded(name);
        bool matched = false;
        for (auto& entry : entries) {
            if (Folded(entry.text) == wanted || Folded(NameListEntryName(entry.text)) == wanted) {
                entry.checked = true;
                matched = true;
            }
        }
        if (!matched) {
            entries.push_back({name, true});
        }
    }
}

} // namespace

std::string NameListEntryName(std::string_view entryText) {
    return std::string(TrimControls(entryText.substr(0, entryText.find('('))));
}

NameListEditor::NameListEditor(const IniStore& nameListFile, const TAusschluss& jobLists) {
    for (const NameList list : kNameLists) {
        auto& entries = at(list);
        const std::string_view section = NameListSwitch(list);
        for (std::size_t i = 0;; ++i) {
            std::string text = nameListFile.readString(section, std::to_string(i), "");
            if (text.empty()) {
                break;
            }
            entries.push_back({std::move(text), false});
        }
        MergeJobNames(entries, jobLists.array(list));
        for (const std::string& name : jobLists.array(list)) {
            m_jobNames[static_cast<std::size_t>(list)].insert(Folded(name));
        }
    }
}

const std::vector<NameListEntry>& NameListEditor::entries(NameList list) const {
    return m_lists[static_cast<std::size_t>(list)];
}

std::vector<NameListEntry>& NameListEditor::at(NameList list) {
    return m_lists[static_cast<std::size_t>(list)];
}

void NameListEditor::setChecked(NameList list, std::size_t index, bool checked) {
    auto& entries = at(list);
    if (index < entries.size()) {
        entries[index].checked = checked;
    }
}

bool NameListEditor::add(NameList list, std::string_view text) {
    if (text.empty()) {
        return false;
    }
    at(list).push_back({std::string(text), true});
    return true;
}

void NameListEditor::remove(NameList list, std::size_t index) {
    auto& entries = at(list);
    if (index < entries.size()) {
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void NameListEditor::removeAll(NameList list) {
    at(list).clear();
}

void NameListEditor::confirm(TAusschluss& jobLists, IniStore& nameListFile) const {
    jobLists.reset();
    for (const NameList list : kNameLists) {
        const auto& entries = this->entries(list);
        for (const auto& entry : entries) {
            // An entry that is all remark ("(leer)") has no name; an empty line in the job's
            // list would reach robocopy as an empty pattern.
            // A name of the job keeps its parentheses ("C:\Program Files (x86)"): only a name typed
            // here may carry a remark.
            const bool jobName = m_jobNames[static_cast<std::size_t>(list)].contains(Folded(entry.text));
            if (std::string name = jobName ? std::string(TrimControls(entry.text)) : NameListEntryName(entry.text);
                entry.checked && !name.empty()) {
                jobLists.add(list, name);
            }
        }
        const std::string_view section = NameListSwitch(list);
        nameListFile.eraseSection(section);
        nameListFile.ensureSection(section);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            nameListFile.writeString(section, std::to_string(i), entries[i].text);
        }
    }
}

} // namespace talvex::settings
