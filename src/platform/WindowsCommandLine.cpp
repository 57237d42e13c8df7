// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowsCommandLine.h"

namespace talvex::platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The program name follows simpler rules than the arguments: no backslash handling at all.
std::string TakeProgramName(std::string_view line, std::size_t& pos) {
    if (line[pos] == '"') {
        const std::size_t start = pos + 1;
        const std::size_t close = line.find('"', start);
        const std::size_t end = close == std::string_view::npos ? line.size() : close;
        pos = close == std::string_view::npos ? line.size() : close + 1;
        return std::string(line.substr(start, end - start));
    }
    const std::size_t start = pos;
    while (pos < line.size() && !IsBlank(line[pos])) {
        ++pos;
    }
    return std::string(line.substr(start, pos - start));
}

} // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
    std::vector<std::string> args;
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos])) {
        ++pos;
    }
    if (pos == line.size()) {
        return args;
    }

    args.push_back(TakeProgramName(line, pos));

    std::string current;
    bool inArgument = false;
    // Quote state as the shell counts it: 0 outside quotes, 1 inside, 2 just after a closing quote
    // (a third quote in a row then gives a literal quote and leaves the quotes).
    int quotes = 0;
    std::size_t backslashes = 0;
    while (pos < line.size()) {
        const char c = line[pos];
        if (IsBlank(c) && quotes == 0) {
            current.append(backslashes, '\\');
            backslashes = 0;
            if (inArgument) {
                args.push_back(std::move(current));
                current.clear();
                inArgument = false;
            }
            ++pos;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            ++backslashes;
            ++pos;
            continue;
        }
        if (c != '"') {
            current.append(backslashes, '\\');
            backslashes = 0;
            current.push_back(c);
            ++pos;
            continue;
        }
        current.append(backslashes / 2, '\\');
        const bool escaped = backslashes % 2 == 1;
        backslashes = 0;
        ++pos;
        if (escaped) {
            current.push_back('"');
            continue;
        }
        ++quotes;
        while (pos < line.size() && line[pos] == '"') {
            if (++quotes == 3) {
                current.push_back('"');
                quotes = 0;
            }
            ++pos;
        }
        if (quotes == 2) {
            quotes = 0;
        }
    }
    current.append(backslashes, '\\');
    if (inArgument) {
        args.push_back(std::move(current));
    }
    return args;
}

} // namespace talvex::platform
