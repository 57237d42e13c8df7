// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <system_error>

#ifdef _WIN32
#include "platform/win32/Wide.h"
#include <tlhelp32.h>
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fstream>

#include <sys/wait.h>
#endif

namespace talvex::tests {

#ifdef _WIN32
/// Error codes and exit codes of the runner, as this system reports them.
inline constexpr int kNoSuchProgram = ERROR_FILE_NOT_FOUND;
inline constexpr int kBusy = ERROR_BUSY;
inline constexpr int kNotAProgram = ERROR_BAD_EXE_FORMAT;
/// A stopped child ends at once, whether it would have obeyed a request or not.
inline constexpr int kStoppedExitCode = 1;
inline constexpr int kKilledExitCode = 1;

inline std::string SystemMessage(int code) {
    return platform::win32::ErrorMessage(static_cast<DWORD>(code));
}

/// True when no process started by this one still runs.
inline bool NoChildLeft() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !found; more = ::Process32NextW(snapshot, &entry)) {
        found = entry.th32ParentProcessID == ::GetCurrentProcessId();
    }
    ::CloseHandle(snapshot);
    return !found;
}

inline bool ProcessHasEnded(const std::string& pid) {
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, std::stoul(pid));
    if (process == nullptr) {
        return true;
    }
    const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}
#else
inline constexpr int kNoSuchProgram = ENOENT;
inline constexpr int kBusy = EBUSY;
inline constexpr int kNotAProgram = ENOEXEC;
inline constexpr int kStoppedExitCode = 128 + SIGTERM;
inline constexpr int kKilledExitCode = 128 + SIGKILL;

inline std::string SystemMessage(int code) {
    return std::system_category().message(code);
}

inline bool NoChildLeft() {
    return ::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

// A process that is gone, or a zombie waiting for a parent that is not us.
inline bool ProcessHasEnded(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string text;
    std::getline(stat, text);
    const std::size_t close = text.rfind(')');
    return !stat || close == std::string::npos || text.substr(close + 2, 1) == "Z";
}
#endif

} // namespace talvex::tests
