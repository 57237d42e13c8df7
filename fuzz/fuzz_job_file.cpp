// SPDX-License-Identifier: GPL-3.0-or-later
// Job files come from anywhere: robocopy, editors, other tools. Whatever the bytes, loading them
// into lines, reading the lines into a job and writing that job out again must neither crash nor
// loop, and the reader must not fail on content.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzServices.h"
#include "core/formats/CommandLineBuilder.h"
#include "core/formats/JobFileReader.h"
#include "core/formats/JobFileWriter.h"
#include "core/formats/TextLines.h"
#include "core/options/JobEnvironment.h"
#include "core/options/JobState.h"
#include "core/services/LogSink.h"

namespace {

using namespace talvex;
using fuzzing::FixedServices;
using fuzzing::NoFiles;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const formats::LineList lines = formats::DecodeTextLines(bytes);

    NoFiles environment;
    FixedServices services;
    NullLogSink log;
    for (const PathStyle style : {PathStyle::Windows, PathStyle::Posix}) {
        options::JobState job(environment);
        if (!formats::ReadJobFile(job, lines, true, log, services, style)) {
            std::abort();
        }
        formats::LineList written;
        if (!formats::WriteJobFile(job, "C:\\fuzz.rcj", written, log, services)) {
            std::abort();
        }
        (void)formats::EncodeTextLines(written);
        formats::LineList commandLine;
        if (!formats::BuildCommandLine(job, commandLine, log, services)) {
            std::abort();
        }
        formats::WideLineList wideCommandLine;
        if (!formats::BuildCommandLineW(job, wideCommandLine, services)) {
            std::abort();
        }
    }
    formats::LineList arguments;
    (void)formats::ParseJobParameter(bytes, arguments, log);
    return 0;
}
