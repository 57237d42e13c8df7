// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace talvex::fakes {

/// Builds a minimal ELF file with the given sections (name, contents) behind a section-name table, in
/// either class and byte order, so readers can be tested against files no compiler would produce.
class ElfFile final {
public:
    bool is64 = true;
    bool bigEndian = false;
    std::vector<std::pair<std::string, std::string>> sections;

    [[nodiscard]] std::string bytes() const {
        const std::size_t headerSize = is64 ? 64 : 52;
        const std::size_t entrySize = is64 ? 64 : 40;
        std::string names(1, '\0');
        std::vector<std::size_t> nameOffsets;
        for (const auto& section : sections) {
            nameOffsets.push_back(names.size());
            names += section.first + '\0';
        }
        const std::size_t shstrtabName = names.size();
        names += std::string(".shstrtab") + '\0';

        std::string out(headerSize, '\0');
        std::vector<std::pair<std::size_t, std::size_t>> placed; // offset, size
        for (const auto& section : sections) {
            placed.emplace_back(out.size(), section.second.size());
            out += section.second;
        }
        const std::size_t namesOffset = out.size();
        out += names;
        const std::size_t shoff = out.size();
        const std::size_t count = sections.size() + 2;

        out.replace(0, 4,
                    "\x7F"
                    "ELF");
        out[4] = is64 ? 2 : 1;
        out[5] = bigEndian ? 2 : 1;
        out[6] = 1;
        put(out, 16, 2, 2); // executable
        put(out, is64 ? 40 : 32, is64 ? 8 : 4, shoff);
        put(out, is64 ? 58 : 46, 2, entrySize);
        put(out, is64 ? 60 : 48, 2, count);
        put(out, is64 ? 62 : 50, 2, count - 1);

        out += std::string(entrySize, '\0'); // the null section
        for (std::size_t i = 0; i < sections.size(); ++i) {
            out += entry(nameOffsets[i], 1, placed[i].first, placed[i].second);
        }
        out += entry(shstrtabName, 3, namesOffset, names.size());
        return out;
    }

private:
    void put(std::string& out, std::size_t at, std::size_t width, std::uint64_t value) const {
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t shift = 8 * (bigEndian ? width - 1 - i : i);
            out[at + i] = static_cast<char>((value >> shift) & 0xFF);
        }
    }
    std::string entry(std::uint64_t name, std::uint64_t type, std::uint64_t offset, std::uint64_t size) const {
        std::string e(is64 ? 64 : 40, '\0');
        put(e, 0, 4, name);
        put(e, 4, 4, type);
        put(e, is64 ? 24 : 16, is64 ? 8 : 4, offset);
        put(e, is64 ? 32 : 20, is64 ? 8 : 4, size);
        return e;
    }
};

/// The contents of a version section holding the given key/value pairs.
inline std::string VersionSection(const std::vector<std::pair<std::string, std::string>>& pairs) {
    std::string contents = std::string("TALVEXVERSION1") + '\0';
    for (const auto& [key, value] : pairs) {
        contents += key + '\0' + value + '\0';
    }
    return contents;
}

} // namespace talvex::fakes
