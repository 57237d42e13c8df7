// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exec/RunResult.h"

#include <array>
#include <utility>

#include "core/services/Format.h"
#include "core/services/Translate.h"

namespace talvex::exec {

RunResult DescribeRun(std::optional<int> exitCode, bool stopped) {
    if (stopped) {
        return {tr("Abgebrochen"), RunSeverity::Failure};
    }
    if (!exitCode) {
        return {tr("Robocopy wurde nicht ausgeführt"), RunSeverity::Failure};
    }
    const int code = *exitCode;
    if (code == 0) {
        return {tr("Nichts zu tun"), RunSeverity::Success};
    }
    if (code < 0 || code > 31) {
        return {Format(tr("Unbekannter Exitcode %d"), {std::to_string(code)}), RunSeverity::Failure};
    }
    // A fatal error means nothing was copied; the other bits do not apply then.
    if ((code & 16) != 0) {
        return {tr("Schwerer Fehler: nichts kopiert"), RunSeverity::Failure};
    }
    static constexpr std::array<std::pair<int, const char*>, 4> kBits = {{
        {1, N_("Dateien kopiert")},
        {2, N_("Zusätzliche Dateien im Ziel")},
        {4, N_("Abweichungen gefunden")},
        {8, N_("Einige Dateien konnten nicht kopiert werden (Fehler)")},
    }};
    RunResult result;
    for (const auto& [bit, text] : kBits) {
        if ((code & bit) != 0) {
            result.text += (result.text.empty() ? "" : ", ") + tr(text);
        }
    }
    result.severity = code >= 8 ? RunSeverity::Failure : code >= 4 ? RunSeverity::Warning : RunSeverity::Success;
    return result;
}

std::string ResultLogLine(const RunResult& result, std::optional<int> exitCode) {
    if (!exitCode) {
        return Format(tr("Ergebnis: %s"), {result.text});
    }
    return Format(tr("Ergebnis: %s (Exitcode %d)"), {result.text, std::to_string(*exitCode)});
}

LogColour ColourOf(RunSeverity severity) {
    switch (severity) {
    case RunSeverity::Success:
        return LogColour::Green;
    case RunSeverity::Warning:
        return LogColour::Orange;
    case RunSeverity::Failure:
        return LogColour::Red;
    }
    return LogColour::Red;
}

} // namespace talvex::exec
