// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace talvex {

/// The messages of a GNU gettext catalogue (.mo), for systems without libintl. Only what the
/// program uses is read: singular messages without context; the hash table is not needed, the
/// messages are looked up sorted.
class MessageCatalogue final {
public:
    /// The catalogue in these bytes (either byte order), or nothing when they are not one: a
    /// wrong magic number, an unknown major revision, or a table or text beyond the end.
    /// Translations that are not UTF-8 are repaired, so callers always get valid text.
    [[nodiscard]] static std::optional<MessageCatalogue> Parse(std::string_view bytes);
    /// The catalogue in a file; nothing when it cannot be read or is not a catalogue.
    [[nodiscard]] static std::optional<MessageCatalogue> Load(const std::string& fileName);

    /// The translation of a message, or nothing when the catalogue has none (or an empty one,
    /// which gettext also treats as untranslated).
    [[nodiscard]] const std::string* find(std::string_view original) const;
    /// The catalogue's header ("Field: value" lines): the translation of the empty message.
    [[nodiscard]] std::string header() const;

private:
    std::vector<std::pair<std::string, std::string>> m_messages; // sorted by original
};

} // namespace talvex
