// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/CommandPreview.h"

#include "core/formats/CommandLineBuilder.h"
#include "core/formats/LineList.h"
#include "core/formats/Text.h"
#include "core/services/Translate.h"
#include "platform/Unicode.h"

namespace talvex::presentation {

CommandPreview PreviewCommandLine(const options::JobState& job, const formats::FormatServices& formats) {
    const bool noSource = formats::TrimBlanks(job.sourcePath()).empty();
    const bool noDestination = formats::TrimBlanks(job.destinationPath()).empty();
    if (noSource && noDestination) {
        return {false, tr("Es fehlen Quell- und Zielverzeichnis.")};
    }
    if (noSource) {
        return {false, tr("Es fehlt das Quellverzeichnis.")};
    }
    if (noDestination) {
        return {false, tr("Es fehlt das Zielverzeichnis.")};
    }
    formats::WideLineList lines;
    if (const Status built = formats::BuildCommandLineW(job, lines, formats); !built) {
        return {false, built.reason()};
    }
    return {true, platform::Utf16ToUtf8(lines[1])};
}

} // namespace talvex::presentation
