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

bool IsSwitchLine(std::string_view line) {
    const std::string_view text = formats::TrimBlanks(formats::CutAtComment(formats::TrimBlanks(line)));
    std::size_t end = 0;
    while (end < text.size() && text[end] != ':' && static_cast<unsigned char>(text[end]) > 32) {
        ++end;
    }
    return end > 0 && text.front() == '/' && formats::FindSwitchKeyword(text.substr(0, end)).has_value();
}

} // namespace

ScriptKind DetectScriptKind(const formats::LineList& lines) {
    if (lines.size() == 1 || lines.size() == 2) {
        if (const auto kind = RobocopyCallKind(lines.back())) {
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
    for (const std::string& line : lines) {
        if (IsSwitchLine(line)) {
            return ScriptKind::JobFile;
        }
    }
    return ScriptKind::Unknown;
}

ScriptKind DetectScriptKind(const std::string& fileName) {
    const Result<formats::LineList> loaded = formats::LoadTextLines(fileName);
    if (!loaded) {
        return ScriptKind::Unknown;
    }
    return DetectScriptKind(*loaded);
}

} // namespace talvex::workspace
