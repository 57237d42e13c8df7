// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/ScriptKind.h"

#include <string_view>

#include "core/formats/SwitchKeyword.h"
#include "core/formats/Text.h"
#include "core/formats/TextLines.h"
#include "core/services/AsciiCase.h"

namespace talvex::workspace {

namespace {

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::optional<ScriptKind> RobocopyCallKind(std::string_view line) {
    const std::string lower = AsciiLower(formats::TrimBlanks(line));
    if (!lower.starts_with("robocopy")) {
        return std::nullopt;
    }
    return Contains(lower, "/job:") ? ScriptKind::JobBatch : ScriptKind::CommandBatch;
}

// A job file without our header: every line that says something is a switch line or, inside a
// name list, an indented name. A log, a usage text or a script has other lines too.
bool IsHeaderlessJob(const formats::LineList& lines) {
    bool anySwitch = false;
    bool inList = false;
    for (const std::string& line : lines) {
        const std::string_view text = formats::TrimBlanks(formats::CutAtComment(formats::TrimBlanks(line)));
        if (text.empty()) {
            continue;
        }
        const std::string_view head = text.substr(0, text.find_first_of(": \t"));
        if (text.front() == '/' && formats::IsRobocopySwitch(head)) {
            anySwitch = true;
            const auto keyword = formats::FindSwitchKeyword(head);
            inList = keyword && keyword->kind == formats::SwitchKind::List;
            continue;
        }
        if (!inList || static_cast<unsigned char>(line.front()) > 32) {
            return false;
        }
    }
    return anySwitch;
}

} // namespace

ScriptKind DetectScriptKind(const formats::LineList& lines, std::string_view fileName) {
    // Editors leave empty lines at the end; a one-line batch file stays one.
    std::size_t count = lines.size();
    while (count > 0 && formats::TrimBlanks(lines[count - 1]).empty()) {
        --count;
    }
    if (count == 1 || count == 2) {
        if (const auto kind = RobocopyCallKind(lines[count - 1])) {
            return *kind;
        }
    }
    const auto lower = [&](std::size_t i) { return i < lines.size() ? AsciiLower(lines[i]) : std::string(); };
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string line = lower(i);
        if (!Contains(line, "brenno") || !Contains(line, "talvex")) {
            continue;
        }
        if (i == 0) {
            // "/job:" rather than ".rcj" alone: a command line may name a log file "x.rcj.log".
            const std::string call = lower(3);
            if (Contains(call, "call robocopy")) {
                return Contains(call, "/job:") && Contains(call, ".rcj") ? ScriptKind::MultiJobBatch
                                                                         : ScriptKind::MultiCommandBatch;
            }
        } else if (i == 1 && Contains(line, "voreinstellungen")) {
            return ScriptKind::DefaultJob;
        } else if (i == 3) {
            const std::string name = lower(1);
            if (Contains(name, "robocopy job")) {
                return ScriptKind::JobFile;
            }
            if (Contains(name, "voreinstellungen")) {
                return ScriptKind::DefaultJob;
            }
        }
    }
    if (AsciiLower(fileName).ends_with(".rcj") || IsHeaderlessJob(lines)) {
        return ScriptKind::JobFile;
    }
    return ScriptKind::Unknown;
}

ScriptKind DetectScriptKind(const std::string& fileName) {
    const Result<formats::LineList> loaded = formats::LoadTextLines(fileName);
    if (!loaded) {
        return ScriptKind::Unknown;
    }
    return DetectScriptKind(*loaded, fileName);
}

} // namespace talvex::workspace
