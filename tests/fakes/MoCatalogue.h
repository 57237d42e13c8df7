// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "fakes/TempFolder.h"

namespace talvex::fakes {

/// The bytes of a GNU .mo catalogue with these messages; "" maps to the header.
inline std::string MoCatalogue(const std::map<std::string, std::string>& messages) {
    const auto word = [](std::string& out, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    const auto count = static_cast<std::uint32_t>(messages.size());
    const std::uint32_t originals = 28;
    const std::uint32_t translations = originals + 8 * count;
    std::uint32_t at = translations + 8 * count;
    std::string head;
    std::string strings;
    word(head, 0x950412de);
    word(head, 0);
    word(head, count);
    word(head, originals);
    word(head, translations);
    word(head, 0); // no hash table: the library searches the sorted originals
    word(head, 0);
    std::string ids;
    std::string texts;
    for (const auto& [id, text] : messages) { // std::map keeps the originals sorted, as required
        word(ids, static_cast<std::uint32_t>(id.size()));
        word(ids, at);
        strings += id + '\0';
        at += static_cast<std::uint32_t>(id.size()) + 1;
    }
    for (const auto& [id, text] : messages) {
        word(texts, static_cast<std::uint32_t>(text.size()));
        word(texts, at);
        strings += text + '\0';
        at += static_cast<std::uint32_t>(text.size()) + 1;
    }
    return head + ids + texts + strings;
}

/// Writes <locale>/<code>/LC_MESSAGES/default.mo.
inline void WriteCatalogue(const std::filesystem::path& locale, const std::string& code, const std::string& bytes) {
    const std::filesystem::path folder = locale / code / "LC_MESSAGES";
    std::filesystem::create_directories(folder);
    TempFolder::Write((folder / "default.mo").string(), bytes);
}

/// A catalogue header with a display name, a translator and a character set.
inline std::string CatalogueHeaderText(const std::string& displayName, const std::string& translator,
                                       const std::string& charset = "UTF-8") {
    return "Project-Id-Version: Talvex\nLast-Translator: " + translator +
           "\nMIME-Version: 1.0\nContent-Type: text/plain; charset=" + charset +
           "\nContent-Transfer-Encoding: 8bit\nX-Poedit-Language: " + displayName + "\n";
}

} // namespace talvex::fakes
