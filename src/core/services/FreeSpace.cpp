// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/FreeSpace.h"

#include "core/services/Format.h"
#include "core/services/NumberText.h"
#include "core/services/Translate.h"

namespace talvex {

bool CheckFreeSpace(const std::string& path, std::uint64_t requiredKiB, LogSink& log, UserInterface& ui,
                    const platform::VolumeProbes& volumes, const std::string& thousandsSeparator, PathStyle style) {
    const platform::VolumeSpaceResult result = volumes.space(path);
    if (!result.space) {
        log.appendLine(
            Format(tr("Der freie Speicherplatz von %s kann nicht ermittelt werden: %s"), {path, result.error}),
            LogColour::Red);
        return true;
    }
    const std::uint64_t freeKiB = result.space->freeBytes / 1024;
    const std::uint64_t totalKiB = result.space->totalBytes / 1024;

    const std::string label = PaddedLabel(tr("Platz:"));
    const std::string pattern =
        // TRANSLATORS: label, drive with separator, free megabytes, "von", total megabytes.
        tr("%s%s %s MB %s %s MB frei.");
    const std::string line =
        Format(pattern, {label, IncludeTrailingSeparator(path, style),
                         FormatWholeNumber(static_cast<double>(freeKiB) / 1024.0, thousandsSeparator), tr("von"),
                         FormatWholeNumber(static_cast<double>(totalKiB) / 1024.0, thousandsSeparator)});
    log.appendLine(line, LogColour::Black);

    if (freeKiB >= requiredKiB) {
        return false;
    }
    log.appendLine(tr("Warnung: Der zur Verfügung stehende Speicherplatz reicht nicht aus."), LogColour::Black);
    const Answer answer =
        ui.showMessage(MessageKind::Warning, tr("Warnung"),
                       tr("Der zur Verfügung stehende Speicherplatz reicht für diesen Vorgang nicht aus. Vorgang "
                          "abbrechen?"),
                       Buttons::YesNo);
    if (answer != Answer::Yes) {
        return false;
    }
    log.appendLine(std::string(29, '-'), LogColour::Black);
    log.appendLine(tr("Abbruch:  Abbruch durch den Anwender."), LogColour::Black);
    return true;
}

} // namespace talvex
