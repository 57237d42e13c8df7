// SPDX-License-Identifier: GPL-3.0-or-later
// Command lines are typed by hand into batch files. Whatever the bytes, reading one into a job must
// neither crash nor loop nor fail on content, and the command line built from that job must read
// back into the same command line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzServices.h"
#include "core/formats/CommandLineBuilder.h"
#include "core/options/JobState.h"
#include "core/services/LogSink.h"
#include "core/workspace/CommandLineReader.h"

using namespace talvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    fuzzing::NoFiles environment;
    fuzzing::FixedServices services;
    NullLogSink log;
    for (const PathStyle style : {PathStyle::Windows, PathStyle::Posix}) {
        options::JobState job(environment);
        if (!workspace::ParseCommandLine(job, line, true, log, services, style)) {
            std::abort();
        }
        formats::LineList built;
        if (!formats::BuildCommandLine(job, built, log, services)) {
            std::abort();
        }
        (void)workspace::UnescapeBatchPercent(workspace::EscapeBatchPercent(built[1]));
    }
    return 0;
}
