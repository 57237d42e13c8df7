// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SpecialFolders.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace talvex::platform {

namespace {

bool IsAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

// Runs `xdg-user-dir DOCUMENTS` directly (no shell) and returns its first output line.
std::optional<std::string> RunXdgUserDir() {
    std::array<int, 2> pipeEnds{};
    if (::pipe2(pipeEnds.data(), O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // posix_spawnp takes writable strings.
    std::string program = "xdg-user-dir";
    std::string argument = "DOCUMENTS";
    std::array<char*, 3> argv{program.data(), argument.data(), nullptr};
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        return std::nullopt;
    }
    std::string output;
    std::array<char, 1024> buffer{};
    ssize_t n = 0;
    // A path is short; reading stops at a sane size so a misbehaving script cannot flood us.
    while (output.size() < std::size_t{16} * 1024 &&
           ((n = ::read(pipeEnds[0], buffer.data(), buffer.size())) > 0 || (n < 0 && errno == EINTR))) {
        if (n > 0) {
            output.append(buffer.data(), static_cast<std::size_t>(n));
        }
    }
    ::close(pipeEnds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return output.substr(0, output.find('\n'));
}

} // namespace

PosixSpecialFolders::PosixSpecialFolders()
    : PosixSpecialFolders(
          [](const char* name) -> std::optional<std::string> {
              const char* value = std::getenv(name);
              return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
          },
          RunXdgUserDir,
          [](const std::string& path) {
              std::error_code ec;
              return std::filesystem::is_directory(path, ec);
          }) {}

PosixSpecialFolders::PosixSpecialFolders(Environment environment, CommandOutput xdgDocuments, FolderExists folderExists)
    : m_environment(std::move(environment)), m_xdgDocuments(std::move(xdgDocuments)),
      m_folderExists(std::move(folderExists)) {}

std::string PosixSpecialFolders::home() const {
    const auto value = m_environment("HOME");
    return value && IsAbsolute(*value) ? *value : std::string();
}

std::string PosixSpecialFolders::applicationData() const {
    // A relative XDG_CONFIG_HOME is invalid and to be ignored, says the XDG base directory rules.
    const auto configured = m_environment("XDG_CONFIG_HOME");
    if (configured && IsAbsolute(*configured)) {
        return *configured;
    }
    const std::string homeFolder = home();
    return homeFolder.empty() ? std::string() : homeFolder + "/.config";
}

std::string PosixSpecialFolders::documents() const {
    const auto named = m_xdgDocuments();
    if (named && IsAbsolute(*named) && m_folderExists(*named)) {
        return *named;
    }
    std::string homeFolder = home();
    if (!homeFolder.empty() && m_folderExists(homeFolder + "/Documents")) {
        return homeFolder + "/Documents";
    }
    return homeFolder;
}

std::vector<std::string> PosixSpecialFolders::systemFolders() const {
    std::vector<std::string> folders;
    const std::string path = m_environment("PATH").value_or("");
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        std::string folder = path.substr(start, end - start);
        // An empty or relative entry means the current folder: never a place to look for programs.
        if (IsAbsolute(folder) && std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(std::move(folder));
        }
        start = end + 1;
    }
    return folders;
}

} // namespace talvex::platform
