// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/VersionFields.h"

namespace talvex::platform {

namespace {

constexpr std::string_view kSectionName = ".talvex_version";
constexpr std::uint64_t kMaxSectionSize = std::uint64_t{64} * 1024;
constexpr std::uint64_t kMaxHeaderTable = std::uint64_t{16} * 1024 * 1024;
constexpr std::uint32_t kSectionNoBits = 8;
constexpr std::uint32_t kIndexInSectionZero = 0xFFFF;

// A program file opened for reads at offsets; every read is checked against the file's size, so a
// truncated or hostile file can only make a read fail.
class File {
public:
    explicit File(const std::string& name) : m_in(name, std::ios::binary) {
        if (m_in) {
            m_in.seekg(0, std::ios::end);
            const std::streamoff end = m_in.tellg();
            m_size = end > 0 ? static_cast<std::uint64_t>(end) : 0;
        }
    }
    [[nodiscard]] std::optional<std::string> read(std::uint64_t offset, std::uint64_t length) {
        if (offset > m_size || length > m_size - offset) {
            return std::nullopt;
        }
        std::string bytes(static_cast<std::size_t>(length), '\0');
        m_in.clear();
        m_in.seekg(static_cast<std::streamoff>(offset));
        if (!m_in.read(bytes.data(), static_cast<std::streamsize>(length))) {
            return std::nullopt;
        }
        return bytes;
    }

private:
    std::ifstream m_in;
    std::uint64_t m_size = 0;
};

// Reads integers of the file's byte order from a buffer; an access beyond it yields nothing.
class Fields {
public:
    Fields(std::string_view bytes, bool bigEndian) : m_bytes(bytes), m_bigEndian(bigEndian) {}
    [[nodiscard]] std::optional<std::uint64_t> get(std::size_t offset, std::size_t width) const {
        if (offset > m_bytes.size() || width > m_bytes.size() - offset) {
            return std::nullopt;
        }
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            const auto byte = static_cast<std::uint8_t>(m_bytes[offset + (m_bigEndian ? i : width - 1 - i)]);
            value = (value << 8) | byte;
        }
        return value;
    }

private:
    std::string_view m_bytes;
    bool m_bigEndian;
};

struct Layout {
    // Offsets inside the file header and inside one section header.
    std::size_t shoff, shentsize, shnum, shstrndx;
    std::size_t name, type, link, offset, size;
    std::size_t addressWidth;
    std::size_t minEntrySize;
};

constexpr Layout kElf32{32, 46, 48, 50, 0, 4, 24, 16, 20, 4, 40};
constexpr Layout kElf64{40, 58, 60, 62, 0, 4, 40, 24, 32, 8, 64};

struct Section {
    std::uint64_t name, type, link, offset, size;
};

std::optional<Section> SectionAt(const Fields& table, const Layout& layout, std::size_t index, std::size_t entrySize) {
    const std::size_t base = index * entrySize;
    const auto name = table.get(base + layout.name, 4);
    const auto type = table.get(base + layout.type, 4);
    const auto link = table.get(base + layout.link, 4);
    const auto offset = table.get(base + layout.offset, layout.addressWidth);
    const auto size = table.get(base + layout.size, layout.addressWidth);
    if (!name || !type || !link || !offset || !size) {
        return std::nullopt;
    }
    return Section{*name, *type, *link, *offset, *size};
}

} // namespace

std::optional<VersionFields> ReadVersionFields(const std::string& fileName) {
    File file(fileName);
    const auto ident = file.read(0, 64);
    const auto shortIdent = ident ? ident : file.read(0, 52);
    if (!shortIdent || shortIdent->substr(0, 4) != "\x7F"
                                                   "ELF") {
        return std::nullopt;
    }
    const char elfClass = (*shortIdent)[4];
    const char byteOrder = (*shortIdent)[5];
    if ((elfClass != 1 && elfClass != 2) || (byteOrder != 1 && byteOrder != 2)) {
        return std::nullopt;
    }
    const Layout& layout = elfClass == 2 ? kElf64 : kElf32;
    const bool bigEndian = byteOrder == 2;
    const Fields header(*shortIdent, bigEndian);

    const auto shoff = header.get(layout.shoff, layout.addressWidth);
    const auto shentsize = header.get(layout.shentsize, 2);
    auto shnum = header.get(layout.shnum, 2);
    auto shstrndx = header.get(layout.shstrndx, 2);
    if (!shoff || !shentsize || !shnum || !shstrndx || *shoff == 0 || *shentsize < layout.minEntrySize) {
        return std::nullopt;
    }
    // Files with very many sections keep the true count and index in section 0.
    if (*shnum == 0 || *shstrndx == kIndexInSectionZero) {
        const auto first = file.read(*shoff, *shentsize);
        if (!first) {
            return std::nullopt;
        }
        const auto zero = SectionAt(Fields(*first, bigEndian), layout, 0, *shentsize);
        if (!zero) {
            return std::nullopt;
        }
        if (*shnum == 0) {
            shnum = zero->size;
        }
        if (*shstrndx == kIndexInSectionZero) {
            shstrndx = zero->link;
        }
    }
    if (*shnum == 0 || *shnum > kMaxHeaderTable / *shentsize || *shstrndx >= *shnum) {
        return std::nullopt;
    }
    const auto tableBytes = file.read(*shoff, *shnum * *shentsize);
    if (!tableBytes) {
        return std::nullopt;
    }
    const Fields table(*tableBytes, bigEndian);
    const auto names = SectionAt(table, layout, *shstrndx, *shentsize);
    if (!names || names->type == kSectionNoBits || names->size > kMaxHeaderTable) {
        return std::nullopt;
    }
    const auto nameBytes = file.read(names->offset, names->size);
    if (!nameBytes) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < *shnum; ++i) {
        const auto section = SectionAt(table, layout, i, *shentsize);
        if (!section || section->name >= nameBytes->size()) {
            continue;
        }
        const std::string_view rest = std::string_view(*nameBytes).substr(section->name);
        if (rest.substr(0, rest.find('\0')) != kSectionName) {
            continue;
        }
        if (section->type == kSectionNoBits || section->size > kMaxSectionSize) {
            return std::nullopt;
        }
        const auto contents = file.read(section->offset, section->size);
        return contents ? ParseVersionSection(*contents) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace talvex::platform
