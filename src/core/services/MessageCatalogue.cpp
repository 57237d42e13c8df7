// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/MessageCatalogue.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "platform/PathText.h"
#include "platform/Unicode.h"

namespace talvex {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::size_t kHeaderSize = 20;
// msgctxt and msgid are joined by this byte; the program asks for no message with a context.
constexpr char kContextSeparator = '\x04';

// Reads 32-bit words of the file's byte order; every access is checked against the size.
class Words {
public:
    Words(std::string_view bytes, bool bigEndian) : m_bytes(bytes), m_bigEndian(bigEndian) {}

    [[nodiscard]] std::optional<std::uint32_t> at(std::uint64_t offset) const {
        if (offset > m_bytes.size() || m_bytes.size() - offset < 4) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const auto byte = static_cast<std::uint8_t>(m_bytes[offset + (m_bigEndian ? i : 3 - i)]);
            value = (value << 8) | byte;
        }
        return value;
    }

    // The text of a table entry (length, offset) at `entry`; it must end with its zero byte.
    [[nodiscard]] std::optional<std::string_view> text(std::uint64_t entry) const {
        const auto length = at(entry);
        const auto offset = at(entry + 4);
        if (!length || !offset || *offset > m_bytes.size() || m_bytes.size() - *offset <= *length) {
            return std::nullopt;
        }
        return m_bytes.substr(*offset, *length);
    }

private:
    std::string_view m_bytes;
    bool m_bigEndian;
};

} // namespace

std::optional<MessageCatalogue> MessageCatalogue::Parse(std::string_view bytes) {
    const auto little = Words(bytes, false).at(0);
    if (!little) {
        return std::nullopt;
    }
    const bool bigEndian = *little != kMagic;
    const Words words(bytes, bigEndian);
    if (words.at(0) != kMagic || bytes.size() < kHeaderSize) {
        return std::nullopt;
    }
    const std::uint32_t revision = *words.at(4);
    const std::uint32_t count = *words.at(8);
    const std::uint64_t originals = *words.at(12);
    const std::uint64_t translations = *words.at(16);
    // Major revisions 0 and 1 share this layout; a later one would be a format we do not know.
    if ((revision >> 16) > 1 || count > bytes.size() / 16) {
        return std::nullopt;
    }

    MessageCatalogue catalogue;
    catalogue.m_messages.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        const auto original = words.text(originals + 8 * i);
        const auto translation = words.text(translations + 8 * i);
        if (!original || !translation) {
            return std::nullopt;
        }
        // A plural entry holds "singular\0plural" and its forms likewise: the singular is used.
        const std::string_view id = original->substr(0, original->find('\0'));
        if (id.find(kContextSeparator) != std::string_view::npos) {
            continue;
        }
        catalogue.m_messages.emplace_back(id, platform::SanitizeUtf8(translation->substr(0, translation->find('\0'))));
    }
    // msgfmt sorts the originals, but a file from elsewhere may not: the lookup must not depend on it.
    std::stable_sort(catalogue.m_messages.begin(), catalogue.m_messages.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return catalogue;
}

std::optional<MessageCatalogue> MessageCatalogue::Load(const std::string& fileName) {
    std::ifstream in(platform::PathFromUtf8(fileName), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return Parse(bytes);
}

const std::string* MessageCatalogue::find(std::string_view original) const {
    const auto it = std::lower_bound(m_messages.begin(), m_messages.end(), original,
                                     [](const auto& message, std::string_view key) { return message.first < key; });
    if (it == m_messages.end() || it->first != original || it->second.empty()) {
        return nullptr;
    }
    return &it->second;
}

std::string MessageCatalogue::header() const {
    const std::string* text = find("");
    return text != nullptr ? *text : std::string();
}

} // namespace talvex
