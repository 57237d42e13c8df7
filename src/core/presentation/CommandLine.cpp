// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/CommandLine.h"

namespace talvex::presentation {

std::optional<std::string> LanguageParameter(const std::vector<std::string>& argumentsAfterProgram) {
    std::string line;
    for (const std::string& argument : argumentsAfterProgram) {
        if (!line.empty()) {
            line += ' ';
        }
        line += argument;
    }
    for (char& c : line) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    const std::size_t at = line.find("-l");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    std::string code = line.substr(at + 2);
    if (!code.empty() && code.front() == ':') {
        code.erase(0, 1);
    }
    return code;
}

} // namespace talvex::presentation
