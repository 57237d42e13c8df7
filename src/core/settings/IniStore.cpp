// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/IniStore.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/services/AsciiCase.h"
#include "platform/CodePage.h"
#include "platform/PathText.h"
#include "platform/Unicode.h"

namespace talvex::settings {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

/// The file bytes as UTF-8 text, whatever form they came in.
std::string DecodeFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeMark)) {
        return platform::Utf16LeToUtf8(bytes.substr(kUtf16LeMark.size()));
    }
    if (bytes.starts_with(kUtf8Mark)) {
        return platform::SanitizeUtf8(bytes.substr(kUtf8Mark.size()));
    }
    std::string asUtf8 = platform::SanitizeUtf8(bytes);
    if (asUtf8 == bytes) {
        return asUtf8;
    }
    return platform::FromSystemCodePage(bytes);
}

/// Replaces line breaks, which would otherwise end the line early in the written file.
std::string OneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

/// The value as written into the file: quoted exactly when reading would otherwise change it.
std::string Quote(const std::string& value) {
    if (Unquote(Trim(value)) != value) {
        return '"' + value + '"';
    }
    return value;
}

platform::FileError MakeError(const std::string& path, int errorNumber) {
    return {path, errorNumber, std::strerror(errorNumber)};
}

} // namespace

IniStore::IniStore(std::string path, IniEncoding encoding) : m_path(std::move(path)), m_encoding(encoding) {}

IniStore::OpenResult IniStore::Open(const std::string& path, IniEncoding encoding) {
    const auto failed = [&](int errorNumber) {
        OpenResult result{IniStore(path, encoding), MakeError(path, errorNumber)};
        result.store.m_readError = result.error;
        return result;
    };
    std::error_code ec;
    const auto status = std::filesystem::status(platform::PathFromUtf8(path), ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {IniStore(path, encoding), std::nullopt};
    }
    if (ec) {
        return failed(ec.value());
    }
    if (status.type() == std::filesystem::file_type::directory) {
        return failed(EISDIR);
    }
    errno = 0;
    std::ifstream in(platform::PathFromUtf8(path), std::ios::binary);
    if (!in) {
        return failed(errno != 0 ? errno : EACCES);
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return failed(EIO);
    }
    OpenResult result{Parse(bytes), std::nullopt};
    result.store.m_path = path;
    result.store.m_encoding = encoding;
    return result;
}

IniStore IniStore::Parse(std::string_view bytes) {
    IniStore store;
    const std::string text = DecodeFile(bytes);
    std::string_view rest = text;
    Section* current = nullptr;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        std::string_view line = Trim(rest.substr(0, end));
        if (end == std::string_view::npos) {
            rest = {};
        } else {
            const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
            rest.remove_prefix(end + (crlf ? 2 : 1));
        }
        if (line.empty()) {
            continue;
        }
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &store.sectionFor(Trim(line.substr(1, line.size() - 2)));
            continue;
        }
        if (current == nullptr) {
            store.m_preamble.emplace_back(line);
            continue;
        }
        const std::size_t equals = line.find('=');
        const std::string_view key =
            equals == std::string_view::npos ? std::string_view{} : Trim(line.substr(0, equals));
        if (key.empty()) {
            current->lines.push_back({std::string(line), {}, false});
        } else {
            current->lines.push_back({std::string(key), Unquote(Trim(line.substr(equals + 1))), true});
        }
    }
    return store;
}

std::string IniStore::serialize(IniEncoding encoding) const {
    std::string text;
    for (const auto& line : m_preamble) {
        text.append(line).append(kLineEnd);
    }
    if (!m_preamble.empty()) {
        text.append(kLineEnd);
    }
    for (const auto& section : m_sections) {
        text.append("[").append(section.name).append("]").append(kLineEnd);
        for (const auto& line : section.lines) {
            if (line.isEntry) {
                text.append(line.key).append("=").append(Quote(line.value));
            } else {
                text.append(line.key);
            }
            text.append(kLineEnd);
        }
        text.append(kLineEnd);
    }
    if (encoding == IniEncoding::Utf16LeWithMark) {
        return std::string(kUtf16LeMark) + platform::Utf8ToUtf16Le(text);
    }
    std::string bytes = platform::ToSystemCodePage(text);
    // Text that starts with U+FEFF would lose it to the reader, which takes it for a mark.
    if (bytes.starts_with(kUtf8Mark)) {
        bytes.insert(0, kUtf8Mark);
    }
    return bytes;
}

std::string IniStore::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    if (const Section* found = findSection(section)) {
        if (const Line* entry = FindEntry(*found, key)) {
            return entry->value;
        }
    }
    return std::string(defaultValue);
}

long long IniStore::readInteger(std::string_view section, std::string_view key, long long defaultValue) const {
    const std::string text = readString(section, key, {});
    std::string_view digits = Trim(text);
    if (digits.starts_with('+')) {
        digits.remove_prefix(1);
        if (digits.starts_with('-')) {
            return defaultValue;
        }
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
        return defaultValue;
    }
    return value;
}

bool IniStore::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniStore::writeString(std::string_view section, std::string_view key, std::string_view value) {
    Section& target = sectionFor(OneLine(section));
    const std::string cleanKey(Trim(OneLine(key)));
    for (auto& line : target.lines) {
        if (line.isEntry && EqualsIgnoringAsciiCase(line.key, cleanKey)) {
            line.value = OneLine(value);
            return;
        }
    }
    target.lines.push_back({cleanKey, OneLine(value), true});
}

void IniStore::writeInteger(std::string_view section, std::string_view key, long long value) {
    writeString(section, key, std::to_string(value));
}

void IniStore::writeBool(std::string_view section, std::string_view key, bool value) {
    writeInteger(section, key, value ? 1 : 0);
}

bool IniStore::sectionExists(std::string_view section) const {
    return findSection(section) != nullptr;
}

bool IniStore::keyExists(std::string_view section, std::string_view key) const {
    const Section* found = findSection(section);
    return found != nullptr && FindEntry(*found, key) != nullptr;
}

std::vector<std::string> IniStore::keys(std::string_view section) const {
    std::vector<std::string> out;
    if (const Section* found = findSection(section)) {
        for (const auto& line : found->lines) {
            if (line.isEntry) {
                out.push_back(line.key);
            }
        }
    }
    return out;
}

std::vector<std::string> IniStore::sections() const {
    std::vector<std::string> out;
    out.reserve(m_sections.size());
    for (const auto& section : m_sections) {
        out.push_back(section.name);
    }
    return out;
}

void IniStore::ensureSection(std::string_view section) {
    sectionFor(OneLine(section));
}

void IniStore::eraseSection(std::string_view section) {
    const auto found = m_index.find(AsciiLower(section));
    if (found == m_index.end()) {
        return;
    }
    m_sections.erase(m_sections.begin() + static_cast<std::ptrdiff_t>(found->second));
    reindex();
}

std::optional<platform::FileError> IniStore::writeBack() const {
    platform::FileIo io;
    return writeBack(io);
}

std::optional<platform::FileError> IniStore::writeBack(platform::FileIo& io) const {
    if (m_path.empty()) {
        return platform::FileError{m_path, ENOENT, "no file name"};
    }
    if (m_readError) {
        return m_readError;
    }
    return platform::WriteFileAtomically(m_path, serialize(m_encoding), io);
}

const IniStore::Section* IniStore::findSection(std::string_view name) const {
    const auto found = m_index.find(AsciiLower(name));
    return found == m_index.end() ? nullptr : &m_sections[found->second];
}

IniStore::Section* IniStore::findSection(std::string_view name) {
    const auto found = m_index.find(AsciiLower(name));
    return found == m_index.end() ? nullptr : &m_sections[found->second];
}

IniStore::Section& IniStore::sectionFor(std::string_view name) {
    if (Section* found = findSection(name)) {
        return *found;
    }
    m_index.emplace(AsciiLower(name), m_sections.size());
    m_sections.push_back({std::string(name), {}});
    return m_sections.back();
}

const IniStore::Line* IniStore::FindEntry(const Section& section, std::string_view key) {
    const std::string_view wanted = Trim(key);
    for (const auto& line : section.lines) {
        if (line.isEntry && EqualsIgnoringAsciiCase(line.key, wanted)) {
            return &line;
        }
    }
    return nullptr;
}

void IniStore::reindex() {
    m_index.clear();
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        m_index.emplace(AsciiLower(m_sections[i].name), i);
    }
}

} // namespace talvex::settings
