// SPDX-License-Identifier: GPL-3.0-or-later
#include "burn/BurnArguments.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/services/AsciiCase.h"

namespace talvex::burn {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kStdio = "stdio:";

bool IsSpeed(const std::string& speed) {
    if (EqualsIgnoringAsciiCase(speed, "Max")) {
        return true;
    }
    return !speed.empty() && speed.size() <= 4 && speed.front() != '0' &&
           std::all_of(speed.begin(), speed.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

ParsedArguments ParseBurnArguments(const std::vector<std::string>& args) {
    BurnArguments parsed;
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string name = AsciiUpper(args[i]);
        if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
            return {std::nullopt, "switch given twice: " + args[i]};
        }
        seen.push_back(name);
        std::string* value = nullptr;
        if (name == "/START" || name == "/CLOSE") {
            continue; // the burn always starts at once and ends the program
        }
        if (name == "/ERASE") {
            parsed.erase = true;
            continue;
        }
        if (name == "/SRC") {
            value = &parsed.source;
        } else if (name == "/DEST") {
            value = &parsed.destination;
        } else if (name == "/SPEED") {
            value = &parsed.speed;
        } else if (name == "/LOG") {
            value = &parsed.logFile;
        } else {
            return {std::nullopt, "unknown switch: " + args[i]};
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            return {std::nullopt, "switch without a value: " + args[i]};
        }
        *value = args[++i];
    }
    if (parsed.source.empty()) {
        return {std::nullopt, "no image given (/SRC)"};
    }
    if (parsed.destination.empty()) {
        return {std::nullopt, "no drive given (/DEST)"};
    }
    if (!parsed.speed.empty() && !IsSpeed(parsed.speed)) {
        return {std::nullopt, "speed must be a number or Max: " + parsed.speed};
    }
    return {parsed, {}};
}

std::string CheckBurnTarget(const BurnArguments& arguments, const std::vector<std::string>& opticalDevices) {
    std::error_code error;
    if (!fs::is_regular_file(arguments.source, error)) {
        return "the image is not a file: " + arguments.source;
    }
    const std::string& target = arguments.destination;
    if (target.starts_with(kStdio)) {
        const fs::path file = target.substr(kStdio.size());
        if (file.empty() || !file.is_absolute()) {
            return "a pseudo drive needs an absolute file name: " + target;
        }
        const fs::file_status status = fs::status(file, error);
        if (fs::exists(status) && !fs::is_regular_file(status)) {
            return "a pseudo drive must be a plain file, not a device or folder: " + target;
        }
        if (!fs::is_directory(file.parent_path(), error)) {
            return "the folder of the pseudo drive does not exist: " + target;
        }
        return {};
    }
    if (std::find(opticalDevices.begin(), opticalDevices.end(), target) == opticalDevices.end()) {
        return "not an optical drive: " + target;
    }
    return {};
}

std::vector<std::string> XorrisoArguments(const BurnArguments& arguments) {
    std::vector<std::string> args = {"-as", "cdrecord", "-v", "dev=" + arguments.destination};
    if (!arguments.speed.empty() && !EqualsIgnoringAsciiCase(arguments.speed, "Max")) {
        args.push_back("speed=" + arguments.speed);
    }
    if (arguments.erase) {
        // Rewritable media are blanked without a question, and only when they hold data.
        args.emplace_back("blank=as_needed");
    }
    args.push_back(arguments.source);
    return args;
}

} // namespace talvex::burn
