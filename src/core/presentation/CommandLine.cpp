// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/CommandLine.h"

namespace talvex::presentation {

std::vector<std::string> FileParameters(const std::vector<std::string>& argumentsAfterProgram) {
    std::vector<std::string> files;
    for (const std::string& argument : argumentsAfterProgram) {
        if (argument.starts_with('-')) {
            break;
        }
        files.push_back(argument);
    }
    return files;
}

std::optional<std::string> LanguageParameter(const std::vector<std::string>& argumentsAfterProgram) {
    std::string line;
    const std::size_t files = FileParameters(argumentsAfterProgram).size();
    for (std::size_t i = files; i < argumentsAfterProgram.size(); ++i) {
        const std::string& argument = argumentsAfterProgram[i];
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

InfoRequest InfoParameter(const std::vector<std::string>& argumentsAfterProgram) {
    if (argumentsAfterProgram.size() != 1) {
        return InfoRequest::None;
    }
    if (argumentsAfterProgram[0] == "--version") {
        return InfoRequest::Version;
    }
    return argumentsAfterProgram[0] == "--help" ? InfoRequest::Help : InfoRequest::None;
}

} // namespace talvex::presentation
