// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Files.h"

namespace talvex::settings {

/// How a store is written back. Reading accepts every form regardless.
enum class IniEncoding {
    Utf16LeWithMark, ///< byte-order mark FF FE, UTF-16 little-endian: "Talvex.ini"
    SystemCodePage,  ///< 8-bit text in the system code page: "TalvexListe.ini"
};

/// An ini file held in memory: sections of "key=value" lines, read and changed in memory and
/// written back as a whole. Section and key names compare without regard to ASCII case; sections
/// and keys keep their order and the spelling they were first written with. Lines that are not
/// "key=value" (comments, notes typed by hand) are kept and written back where they stood.
///
/// Reading accepts UTF-16LE with its mark, UTF-8 with or without mark, and the system code page;
/// line ends may be CR LF, LF or CR, and the last line needs none. Values are trimmed; a value
/// enclosed in double quotes loses them, which is how values with outer blanks are written.
/// Texts are UTF-8.
class IniStore final {
public:
    /// An empty store without a file; `writeBack` fails.
    IniStore() = default;
    /// An empty store that writes back to `path`. Nothing is read.
    IniStore(std::string path, IniEncoding encoding);

    struct OpenResult;
    /// Reads the file at `path`. A missing file gives an empty store without error; a file that
    /// exists but cannot be read gives an empty store and the error, so the caller can refuse to
    /// overwrite settings it never saw.
    [[nodiscard]] static OpenResult Open(const std::string& path, IniEncoding encoding);

    /// The store of the file contents `bytes`; never fails: whatever is not ini text is kept as
    /// plain lines.
    [[nodiscard]] static IniStore Parse(std::string_view bytes);
    /// The file contents: CR LF line ends, a blank line after every section.
    [[nodiscard]] std::string serialize(IniEncoding encoding) const;

    [[nodiscard]] std::string readString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) const;
    /// A decimal integer (optional sign, blanks around allowed); anything else gives the default.
    [[nodiscard]] long long readInteger(std::string_view section, std::string_view key, long long defaultValue) const;
    /// Read as an integer: any integer other than 0 is true; a value that is no integer gives the
    /// default.
    [[nodiscard]] bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    /// Creates the section and the key as needed. Line breaks in a value would split it into lines
    /// of their own (and could forge sections), so they are stored as blanks.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, long long value);
    /// Written as 1 and 0.
    void writeBool(std::string_view section, std::string_view key, bool value);

    /// True when the section is present, also when it holds no key.
    [[nodiscard]] bool sectionExists(std::string_view section) const;
    [[nodiscard]] bool keyExists(std::string_view section, std::string_view key) const;
    /// The keys of the section in file order (empty when the section is missing).
    [[nodiscard]] std::vector<std::string> keys(std::string_view section) const;
    /// The sections in file order.
    [[nodiscard]] std::vector<std::string> sections() const;
    /// Adds the section without keys unless it is present, so that it is written as an empty section.
    void ensureSection(std::string_view section);
    /// Removes the section with all its lines; nothing happens when it is missing.
    void eraseSection(std::string_view section);

    [[nodiscard]] const std::string& path() const { return m_path; }
    /// Writes the whole store to its file, atomically: on failure the old file stays as it was and
    /// the error names the file and the reason. A store whose file existed but could not be read
    /// is never written back (it would replace settings it never saw); it returns that read error.
    [[nodiscard]] std::optional<platform::FileError> writeBack() const;
    /// The same through the given system calls, so tests can make the disk fail.
    [[nodiscard]] std::optional<platform::FileError> writeBack(platform::FileIo& io) const;

private:
    struct Line {
        std::string key;
        std::string value;
        bool isEntry = true; ///< false: a line kept as it was read, in `key`
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };

    [[nodiscard]] const Section* findSection(std::string_view name) const;
    [[nodiscard]] Section* findSection(std::string_view name);
    Section& sectionFor(std::string_view name);
    [[nodiscard]] static const Line* FindEntry(const Section& section, std::string_view key);
    void reindex();

    std::string m_path;
    std::optional<platform::FileError> m_readError;
    IniEncoding m_encoding = IniEncoding::Utf16LeWithMark;
    std::vector<std::string> m_preamble; ///< lines before the first section, kept for writing back
    std::vector<Section> m_sections;
    std::unordered_map<std::string, std::size_t> m_index; ///< lower-cased section name -> position
};

struct IniStore::OpenResult {
    IniStore store;
    std::optional<platform::FileError> error;
};

} // namespace talvex::settings
