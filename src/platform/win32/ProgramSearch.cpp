// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramSearch.h"

#include <vector>

#include "platform/win32/Wide.h"

namespace talvex::platform {

namespace {

bool IsFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(win32::Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string Join(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && !IsSeparator(path.back())) {
        path.push_back('\\');
    }
    path.append(name);
    return path;
}

// The file system ignores letter case already; what Windows adds is the extension: "robocopy"
// on a command line starts robocopy.exe.
std::optional<std::string> FindInFolder(const std::string& folder, std::string_view name) {
    const std::string exact = Join(folder, name);
    if (name.find('.') != std::string_view::npos && IsFile(exact)) {
        return exact;
    }
    for (const char* extension : {".exe", ".com"}) {
        if (IsFile(exact + extension)) {
            return exact + extension;
        }
    }
    return std::nullopt;
}

} // namespace

std::string OwnProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::string program = win32::Narrow(path);
    const std::size_t cut = program.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : program.substr(0, cut);
}

std::vector<std::string> ProgramSearchFolders(const std::string& programFolder, std::string_view pathValue) {
    std::vector<std::string> folders;
    if (!programFolder.empty()) {
        folders.push_back(programFolder);
    }
    // PATH entries may be quoted to hold a ";" of their own; the quotes are not part of the name.
    std::string entry;
    bool quoted = false;
    for (std::size_t i = 0; i <= pathValue.size(); ++i) {
        const char c = i < pathValue.size() ? pathValue[i] : ';';
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            if (!entry.empty()) {
                folders.push_back(std::move(entry));
            }
            entry.clear();
        } else {
            entry.push_back(c);
        }
    }
    return folders;
}

std::optional<std::string> FindProgram(std::string_view name, const std::vector<std::string>& folders) {
    if (name.empty()) {
        return std::nullopt;
    }
    const std::size_t separator = name.find_last_of("\\/");
    if (separator != std::string_view::npos) {
        return FindInFolder(std::string(name.substr(0, separator == 0 ? 1 : separator)), name.substr(separator + 1));
    }
    for (const auto& folder : folders) {
        if (auto found = FindInFolder(folder, name)) {
            return found;
        }
    }
    return std::nullopt;
}

} // namespace talvex::platform
