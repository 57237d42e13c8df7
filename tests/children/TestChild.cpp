// SPDX-License-Identifier: GPL-3.0-or-later
// A child for the runner tests. Usage: talvex_test_child MODE [ITEMS...]
//   write ITEMS   each item is written with one write(2): "sleep:MS" pauses instead,
//                 "repeat:N:TEXT" writes TEXT N times; escapes \r \n \0 \\ \xHH are understood
//   ignore-term   ignores SIGTERM, writes "ready" and sleeps
//   grandchild    starts a grandchild that ignores SIGTERM and sleeps holding the output,
//                 writes "grandchild PID" and sleeps
//   sleep         sleeps (the grandchild on Windows)
//   stdin         reads standard input to its end, then writes "eof"
//   exit CODE     ends with that exit code
//   env NAME      writes the value of that environment variable
#include <chrono>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace {

std::string Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char c = text[++i];
        switch (c) {
        case 'r':
            out.push_back('\r');
            break;
        case 'n':
            out.push_back('\n');
            break;
        case '0':
            out.push_back('\0');
            break;
        case 'x':
            out.push_back(static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)));
            i += 2;
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

#ifdef _WIN32
// WriteFile, not the C library: its text mode would turn every "\n" into "\r\n".
void WriteAll(const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD n = 0;
        if (!::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), data.data() + done, static_cast<DWORD>(data.size() - done),
                         &n, nullptr) ||
            n == 0) {
            std::exit(3);
        }
        done += n;
    }
}

[[noreturn]] void SleepForever() {
    for (;;) {
        ::Sleep(INFINITE);
    }
}

// Starts this program again in "sleep" mode, holding the same output; returns its process id.
unsigned long StartGrandchild() {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    std::wstring commandLine = L"\"" + self + L"\" sleep";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &started)) {
        std::exit(4);
    }
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    return started.dwProcessId;
}

bool ReadSomeInput() {
    char buffer[256];
    DWORD n = 0;
    return ::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &n, nullptr) && n > 0;
}
#else
void WriteAll(const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, data.data() + done, data.size() - done);
        if (n <= 0) {
            std::exit(3);
        }
        done += static_cast<std::size_t>(n);
    }
}

[[noreturn]] void SleepForever() {
    for (;;) {
        ::pause();
    }
}

// Ignored before the fork, so the grandchild ignores SIGTERM from its first instruction.
unsigned long StartGrandchild() {
    ::signal(SIGTERM, SIG_IGN);
    const pid_t pid = ::fork();
    if (pid == 0) {
        SleepForever();
    }
    ::signal(SIGTERM, SIG_DFL);
    return static_cast<unsigned long>(pid);
}

bool ReadSomeInput() {
    char buffer[256];
    return ::read(STDIN_FILENO, buffer, sizeof buffer) > 0;
}
#endif

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    const std::string_view mode = argv[1];
    if (mode == "write") {
        for (int i = 2; i < argc; ++i) {
            const std::string_view item = argv[i];
            if (item.starts_with("sleep:")) {
                std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[i] + 6)));
            } else if (item.starts_with("repeat:")) {
                const std::size_t colon = item.find(':', 7);
                const int count = std::atoi(std::string(item.substr(7, colon - 7)).c_str());
                const std::string text = Unescape(item.substr(colon + 1));
                std::string data;
                for (int k = 0; k < count; ++k) {
                    data += text;
                }
                WriteAll(data);
            } else {
                WriteAll(Unescape(item));
            }
        }
        return 0;
    }
    if (mode == "ignore-term") {
#ifndef _WIN32
        ::signal(SIGTERM, SIG_IGN);
#endif
        WriteAll("ready\n");
        SleepForever();
    }
    if (mode == "grandchild") {
        const unsigned long pid = StartGrandchild();
        WriteAll("grandchild " + std::to_string(pid) + "\n");
        SleepForever();
    }
    if (mode == "sleep") {
        SleepForever();
    }
    if (mode == "stdin") {
        while (ReadSomeInput()) {
        }
        WriteAll("eof\n");
        return 0;
    }
    if (mode == "env" && argc > 2) {
        const char* value = std::getenv(argv[2]);
        WriteAll(std::string(value != nullptr ? value : "(unset)") + "\n");
        return 0;
    }
    if (mode == "exit" && argc > 2) {
        return std::atoi(argv[2]);
    }
    return 2;
}
