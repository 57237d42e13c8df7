// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Output.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include "engine/Text.h"

namespace robocopy {

namespace {

constexpr std::size_t kFlushSize = std::size_t{64} * 1024;
constexpr auto kFlushInterval = std::chrono::milliseconds(200);

} // namespace

Output::Output(int consoleFd, bool consoleUnicode) : m_lastFlush(std::chrono::steady_clock::now()) {
    m_console.fd = consoleFd;
    m_console.unicode = consoleUnicode;
}

Output::~Output() {
    flush();
    if (m_log.fd >= 0) {
        ::close(m_log.fd);
    }
}

int Output::openLog(const std::string& path, bool append, bool unicode) {
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        return errno;
    }
    m_log.fd = fd;
    m_log.unicode = unicode;
    m_log.crlf = true;
    m_logFd = fd;
    // A byte-order mark lets editors recognise a UTF-16 log; an appended log already has one.
    if (unicode && ::lseek(fd, 0, SEEK_END) == 0) {
        m_log.buffer.append("\xFF\xFE");
    }
    return 0;
}

void Output::Append(Target& target, std::string_view text) {
    if (target.fd < 0) {
        return;
    }
    std::string ended;
    if (target.crlf && text.find('\n') != std::string_view::npos) {
        for (const char c : text) {
            if (c == '\n') {
                ended += '\r';
            }
            ended += c;
        }
        text = ended;
    }
    if (target.unicode) {
        target.buffer += Utf8ToUtf16le(text);
    } else {
        target.buffer.append(text);
    }
    if (target.buffer.size() >= kFlushSize) {
        Drain(target);
    }
}

void Output::write(std::string_view text) {
    if (m_consoleEnabled) {
        Append(m_console, text);
    }
    Append(m_log, text);
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastFlush >= kFlushInterval) {
        flush();
    }
}

void Output::writeConsole(std::string_view text) {
    Append(m_console, text);
}

void Output::writeTransient(std::string_view text) {
    if (m_consoleEnabled) {
        Append(m_console, text);
    }
}

void Output::flush() {
    Drain(m_console);
    Drain(m_log);
    m_lastFlush = std::chrono::steady_clock::now();
}

void Output::Drain(Target& target) {
    std::size_t done = 0;
    while (target.fd >= 0 && done < target.buffer.size()) {
        const ssize_t written = ::write(target.fd, target.buffer.data() + done, target.buffer.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            break; // a closed console must not stop the copy
        }
        done += static_cast<std::size_t>(written);
    }
    target.buffer.clear();
}

} // namespace robocopy
