// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/LogLines.h"

#include "core/services/Format.h"
#include "core/services/Translate.h"

namespace talvex::workspace {

void LogEmptyLine(LogSink& log) {
    log.appendLine("", LogColour::Black);
}

void LogHeading(LogSink& log, std::string_view text) {
    log.appendLine(text, LogColour::Purple);
    log.appendLine(std::string(text.size() + 1, '='), LogColour::Purple);
    LogEmptyLine(log);
}

void LogFileName(LogSink& log, std::string_view path) {
    log.appendLine(Format(tr("Datei: %s."), {path}), LogColour::Black);
}

void LogReason(LogSink& log, const Status& status) {
    if (!status && !status.reason().empty()) {
        log.appendLine(status.reason(), LogColour::Red);
    }
}

} // namespace talvex::workspace
