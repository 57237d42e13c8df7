// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvex::platform {

/// The two names of a directory entry: its long name and its short (8.3) alternate name, which is
/// empty when the volume keeps none. UTF-8.
struct DirectoryEntryNames {
    std::string longName;
    std::string shortName;
};

/// What the conversion between Unicode paths and paths in the system code page asks of the file system.
class DirectoryEntryLookup {
public:
    virtual ~DirectoryEntryLookup() = default;
    /// True when a path component can be written in the system code page as it stands.
    [[nodiscard]] virtual bool fitsCodePage(std::string_view component) const = 0;
    /// The names of the entry at this full path, or nothing when it does not exist.
    [[nodiscard]] virtual std::optional<DirectoryEntryNames> find(const std::string& path) const = 0;
};

/// POSIX has no short names and its code page (UTF-8) holds every name, so every component is
/// kept as it stands, whether or not it exists yet.
class PosixDirectoryEntryLookup final : public DirectoryEntryLookup {
public:
    [[nodiscard]] bool fitsCodePage(std::string_view component) const override;
    [[nodiscard]] std::optional<DirectoryEntryNames> find(const std::string& path) const override;
};

#ifdef _WIN32
/// Windows: a component fits when the ANSI code page holds it; the names are those the volume
/// keeps (FindFirstFileW), the short one empty where 8.3 names are switched off.
class Win32DirectoryEntryLookup final : public DirectoryEntryLookup {
public:
    [[nodiscard]] bool fitsCodePage(std::string_view component) const override;
    [[nodiscard]] std::optional<DirectoryEntryNames> find(const std::string& path) const override;
};

using SystemDirectoryEntryLookup = Win32DirectoryEntryLookup;
#else
using SystemDirectoryEntryLookup = PosixDirectoryEntryLookup;
#endif

} // namespace talvex::platform
