// SPDX-License-Identifier: GPL-3.0-or-later
// The engine reads job files and command lines that anyone may have written. Whatever the bytes,
// reading them must neither crash nor loop, and a job file must only ever yield job arguments.
// The bytes serve twice: as a job file, and split at NUL (which no real argument can hold) as a
// command line whose /JOB: switches read those same bytes back as the job file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const robocopy::JobFileArguments job = robocopy::ReadJobFile(bytes);
    for (const robocopy::Argument& argument : job.arguments) {
        if (!argument.fromJob) {
            std::abort();
        }
    }

    std::vector<std::string> arguments;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t end = bytes.find('\0', start);
        const std::size_t stop = end == std::string_view::npos ? bytes.size() : end;
        arguments.emplace_back(bytes.substr(start, stop - start));
        start = stop + 1;
    }
    std::size_t reads = 0;
    const robocopy::FileReader readFile = [&](const std::string&) -> std::optional<std::string> {
        ++reads;
        return std::string(bytes);
    };
    const robocopy::ParseResult result = robocopy::ParseCommandLine(arguments, readFile);
    // A job file's own /JOB: lines are not followed, so each argument reads at most one file.
    if (reads > arguments.size()) {
        std::abort();
    }
    if (result.error.empty() && !result.showUsage &&
        (result.options.source.empty() || result.options.destination.empty())) {
        std::abort();
    }
    return 0;
}
