// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cwctype>
#include <vector>

#include "platform/ChildProcess.h"
#include "platform/ProgramSearch.h"
#include "platform/WindowsCommandLine.h"
#include "platform/win32/Wide.h"

namespace talvex::platform {
namespace {

using win32::Handle;

constexpr DWORD kPipeSize = 1024 * 1024;
constexpr std::size_t kReadSize = std::size_t{256} * 1024;
constexpr int kMaxReadsPerPoll = 8;
constexpr int kMaxDrainReads = 64;
// Anonymous pipes cannot be waited on, so a poll looks at the pipe this often while it waits
// for the child's end.
constexpr DWORD kLookAgainMs = 5;
constexpr DWORD kGatherMs = 2;
constexpr std::size_t kGatherBelow = std::size_t{16} * 1024;
// The exit code of a stopped child: Windows has no signal number to report, and 0 would make a
// stopped run look like a successful one.
constexpr UINT kStoppedExitCode = 1;

ChildStartError ErrorFor(DWORD code) {
    return {static_cast<int>(code), win32::ErrorMessage(code)};
}

std::wstring EnvironmentName(std::wstring_view entry) {
    // Entries like "=C:=C:\" (the current folder of each drive) start with "=", which is part of the name.
    const std::size_t equals = entry.find(L'=', 1);
    std::wstring name(entry.substr(0, equals));
    std::transform(name.begin(), name.end(), name.begin(), [](wchar_t c) { return std::towupper(c); });
    return name;
}

// The caller's environment with the overrides, as the zero-separated block CreateProcessW takes.
// Names compare without letter case, as Windows does.
std::wstring EnvironmentBlock(const std::vector<std::string>& overrides) {
    std::vector<std::wstring> wideOverrides;
    for (const auto& entry : overrides) {
        wideOverrides.push_back(win32::Widen(entry));
    }
    std::wstring block;
    wchar_t* strings = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; entry != nullptr && *entry != L'\0'; entry += std::wcslen(entry) + 1) {
        const std::wstring name = EnvironmentName(entry);
        const bool replaced = std::any_of(wideOverrides.begin(), wideOverrides.end(),
                                          [&](const std::wstring& o) { return EnvironmentName(o) == name; });
        if (!replaced) {
            block.append(entry).push_back(L'\0');
        }
    }
    ::FreeEnvironmentStringsW(strings);
    for (const auto& entry : wideOverrides) {
        block.append(entry).push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

WORD ShowWindowValue(ShowMode mode) {
    switch (mode) {
    case ShowMode::Hidden:
        return SW_HIDE;
    case ShowMode::Normal:
        return SW_SHOWNORMAL;
    case ShowMode::Minimised:
        return SW_SHOWMINIMIZED;
    case ShowMode::Maximised:
        return SW_SHOWMAXIMIZED;
    }
    // A value from an edited settings file is handed on as it is.
    return static_cast<WORD>(mode);
}

class Win32ChildProcess final : public ChildProcess {
public:
    explicit Win32ChildProcess(ChildProcessSettings settings) : m_settings(std::move(settings)) {}

    ~Win32ChildProcess() override {
        if (m_process.valid()) {
            ::TerminateJobObject(m_job.get(), kStoppedExitCode);
            ::TerminateProcess(m_process.get(), kStoppedExitCode);
            ::WaitForSingleObject(m_process.get(), INFINITE);
        }
    }

    Win32ChildProcess(const Win32ChildProcess&) = delete;
    Win32ChildProcess& operator=(const Win32ChildProcess&) = delete;

    std::optional<ChildStartError> start(std::string_view commandLine, const ChildStartOptions& options) override {
        if (m_process.valid()) {
            return ChildBusyError();
        }
        m_exitCode.reset();
        m_stopRequested = false;

        const std::vector<std::string> args = SplitWindowsCommandLine(commandLine);
        if (args.empty()) {
            return ErrorFor(ERROR_FILE_NOT_FOUND);
        }
        const char* path = std::getenv("PATH");
        const std::string programFolder =
            m_settings.programFolder.empty() ? OwnProgramFolder() : m_settings.programFolder;
        const auto program =
            FindProgram(args.front(), ProgramSearchFolders(programFolder, path != nullptr ? path : ""));
        if (!program) {
            return ErrorFor(ERROR_FILE_NOT_FOUND);
        }

        SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        HANDLE outputRead = nullptr;
        HANDLE outputWrite = nullptr;
        HANDLE inputRead = nullptr;
        HANDLE inputWrite = nullptr;
        if (!::CreatePipe(&outputRead, &outputWrite, &inheritable, kPipeSize)) {
            return ErrorFor(::GetLastError());
        }
        Handle output(outputRead);
        Handle childOutput(outputWrite);
        if (!::CreatePipe(&inputRead, &inputWrite, &inheritable, 0)) {
            return ErrorFor(::GetLastError());
        }
        Handle childInput(inputRead);
        // Closed at once after the start: a child that asks for input gets end-of-file instead of
        // waiting for an answer nobody can type. Our own ends stay out of the child.
        Handle input(inputWrite);
        ::SetHandleInformation(output.get(), HANDLE_FLAG_INHERIT, 0);
        ::SetHandleInformation(input.get(), HANDLE_FLAG_INHERIT, 0);

        // The job holds the child and everything it starts, so that a stop reaches grandchildren too.
        Handle job(::CreateJobObjectW(nullptr, nullptr));
        if (!job.valid()) {
            return ErrorFor(::GetLastError());
        }

        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
        startup.wShowWindow = ShowWindowValue(options.showMode);
        startup.hStdInput = childInput.get();
        startup.hStdOutput = childOutput.get();
        startup.hStdError = childOutput.get();
        // Suspended until it is in the job, so nothing it starts can escape the stop.
        DWORD flags = CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED;
        if (options.showMode != ShowMode::Hidden) {
            flags |= CREATE_NEW_CONSOLE;
        }
        std::wstring environment;
        if (!options.environment.empty()) {
            environment = EnvironmentBlock(options.environment);
        }
        // The command line goes to the child exactly as built; it splits it by its own rules.
        std::wstring line = win32::Widen(commandLine);
        PROCESS_INFORMATION started{};
        if (!::CreateProcessW(win32::Widen(*program).c_str(), line.data(), nullptr, nullptr, TRUE, flags,
                              environment.empty() ? nullptr : environment.data(), nullptr, &startup, &started)) {
            return ErrorFor(::GetLastError());
        }
        Handle process(started.hProcess);
        Handle thread(started.hThread);
        if (!::AssignProcessToJobObject(job.get(), process.get())) {
            const DWORD error = ::GetLastError();
            ::TerminateProcess(process.get(), kStoppedExitCode);
            return ErrorFor(error);
        }
        ::ResumeThread(thread.get());

        m_process = std::move(process);
        m_job = std::move(job);
        m_output = std::move(output);
        if (m_buffer.size() < kReadSize) {
            m_buffer.resize(kReadSize);
        }
        return std::nullopt;
    }

    ChildPoll poll(int timeoutMs) override {
        m_filled = 0;
        if (!m_process.valid()) {
            return {{}, true};
        }
        const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
        for (;;) {
            readAvailable();
            if (m_filled > 0 && timeoutMs > 0 && m_filled < kGatherBelow) {
                // A child that writes line by line is read in batches instead of one wake-up a line.
                ::WaitForSingleObject(m_process.get(), kGatherMs);
                readAvailable();
            }
            const bool ended = ::WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0;
            if (ended) {
                return finish();
            }
            const ULONGLONG now = ::GetTickCount64();
            if (m_filled > 0 || now >= deadline) {
                return {std::span<const char>(m_buffer.data(), m_filled), false};
            }
            ::WaitForSingleObject(m_process.get(),
                                  static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, kLookAgainMs)));
        }
    }

    bool terminate() override {
        if (!m_process.valid()) {
            return false;
        }
        if (m_stopRequested) {
            return true;
        }
        // A console program has no request to stop that reaches it from outside its console, so
        // the stop ends the whole tree at once.
        if (!::TerminateJobObject(m_job.get(), kStoppedExitCode) &&
            !::TerminateProcess(m_process.get(), kStoppedExitCode)) {
            return false;
        }
        m_stopRequested = true;
        return true;
    }

    bool running() const override { return m_process.valid(); }
    std::optional<int> exitCode() const override { return m_exitCode; }
    bool stopped() const override { return m_stopRequested; }
    // Anonymous pipes and processes are no descriptors an event loop can watch: callers poll on a timer.
    ChildWaitHandles waitHandles() const override { return {}; }

private:
    void readAvailable() {
        for (int i = 0; i < kMaxReadsPerPoll && m_output.valid(); ++i) {
            if (!readOnce()) {
                break;
            }
        }
    }

    // Appends what the pipe holds now, never waiting; false when nothing more is there.
    bool readOnce() {
        DWORD available = 0;
        if (!::PeekNamedPipe(m_output.get(), nullptr, 0, nullptr, &available, nullptr)) {
            // Broken: the child and everything it started closed their end.
            m_output.reset();
            return false;
        }
        if (available == 0) {
            return false;
        }
        if (m_buffer.size() - m_filled < kReadSize) {
            m_buffer.resize(m_filled + kReadSize);
        }
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(available, kReadSize));
        if (!::ReadFile(m_output.get(), m_buffer.data() + m_filled, wanted, &read, nullptr) || read == 0) {
            m_output.reset();
            return false;
        }
        m_filled += read;
        return true;
    }

    ChildPoll finish() {
        if (m_stopRequested) {
            // Whatever the child started and left behind is part of what the user stopped.
            ::TerminateJobObject(m_job.get(), kStoppedExitCode);
        }
        for (int i = 0; i < kMaxDrainReads && m_output.valid() && readOnce(); ++i) {
        }
        DWORD code = 0;
        m_exitCode = ::GetExitCodeProcess(m_process.get(), &code) ? static_cast<int>(code) : -1;
        m_process.reset();
        m_job.reset();
        m_output.reset();
        return {std::span<const char>(m_buffer.data(), m_filled), true};
    }

    ChildProcessSettings m_settings;
    Handle m_process;
    Handle m_job;
    Handle m_output;
    std::vector<char> m_buffer;
    std::size_t m_filled = 0;
    std::optional<int> m_exitCode;
    bool m_stopRequested = false;
};

} // namespace

ChildStartError ChildBusyError() {
    return ErrorFor(ERROR_BUSY);
}

std::unique_ptr<ChildProcess> CreateChildProcess(ChildProcessSettings settings) {
    return std::make_unique<Win32ChildProcess>(std::move(settings));
}

} // namespace talvex::platform
