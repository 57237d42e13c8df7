// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramSearch.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace talvex::platform {
namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// ASCII only: program names on command lines are plain words, and folding other letters would
// need the locale's rules, which differ from the Windows file system's anyway.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string Join(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') {
        path.push_back('/');
    }
    path.append(name);
    return path;
}

std::optional<std::string> FindInFolder(const std::string& folder, std::string_view name) {
    const std::string exact = Join(folder, name);
    if (IsExecutableFile(exact)) {
        return exact;
    }
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    if (error) {
        return std::nullopt;
    }
    // Directory order is arbitrary; sorting makes the choice among several case variants stable.
    std::vector<std::string> matches;
    for (const auto& entry : entries) {
        const std::string fileName = entry.path().filename().string();
        if (EqualIgnoringCase(fileName, name) && IsExecutableFile(Join(folder, fileName))) {
            matches.push_back(fileName);
        }
    }
    if (matches.empty()) {
        return std::nullopt;
    }
    std::sort(matches.begin(), matches.end());
    return Join(folder, matches.front());
}

} // namespace

std::string OwnProgramFolder() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return self.parent_path().string();
}

std::vector<std::string> ProgramSearchFolders(const std::string& programFolder, std::string_view pathValue) {
    std::vector<std::string> folders;
    if (!programFolder.empty()) {
        folders.push_back(programFolder);
    }
    while (!pathValue.empty()) {
        const std::size_t colon = pathValue.find(':');
        const std::string_view entry = pathValue.substr(0, colon);
        if (!entry.empty()) {
            folders.emplace_back(entry);
        }
        pathValue = colon == std::string_view::npos ? std::string_view{} : pathValue.substr(colon + 1);
    }
    return folders;
}

std::optional<std::string> FindProgram(std::string_view name, const std::vector<std::string>& folders) {
    if (name.empty()) {
        return std::nullopt;
    }
    const std::size_t slash = name.rfind('/');
    if (slash != std::string_view::npos) {
        const std::string folder(name.substr(0, slash == 0 ? 1 : slash));
        return FindInFolder(folder, name.substr(slash + 1));
    }
    for (const auto& folder : folders) {
        if (auto found = FindInFolder(folder, name)) {
            return found;
        }
    }
    return std::nullopt;
}

} // namespace talvex::platform
