// SPDX-License-Identifier: GPL-3.0-or-later
// Command lines are typed by hand into batch files. Whatever the bytes, reading one into a job must
// neither crash nor loop nor fail on content, and the command line built from that job must read
// back into the same command line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzServices.h"
#include "core/formats/CommandLineBuilder.h"
#include "core/formats/SwitchKeyword.h"
#include "core/formats/Text.h"
#include "core/formats/TextLines.h"
#include "core/options/JobState.h"
#include "core/options/NameListText.h"
#include "core/options/OptionCatalogue.h"
#include "core/options/SwitchRegistry.h"
#include "core/services/LogSink.h"
#include "core/workspace/CommandLineReader.h"

using namespace talvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Lines come out of files, so they never hold a line end.
    const formats::LineList lines =
        formats::DecodeTextLines(std::string_view(reinterpret_cast<const char*>(data), size));
    if (lines.empty()) {
        return 0;
    }
    const std::string& line = lines.front();
    const bool readable =
        std::none_of(line.begin(), line.end(), [](char c) { return c != '\t' && static_cast<unsigned char>(c) < 32; });
    fuzzing::NoFiles environment;
    fuzzing::FixedServices services;
    NullLogSink log;
    for (const PathStyle style : {PathStyle::Windows, PathStyle::Posix}) {
        options::JobState job(environment);
        if (!workspace::ParseCommandLine(job, line, true, log, services, style)) {
            std::abort();
        }
        // No folder holds a double quote: one read into a folder means a line was split wrongly.
        if (job.sourcePath().find('"') != std::string::npos || job.destinationPath().find('"') != std::string::npos) {
            std::abort();
        }
        formats::LineList built;
        if (!formats::BuildCommandLine(job, built, log, services)) {
            std::abort();
        }
        // Text files from editors hold no control characters; values with them are not compared.
        if (!readable) {
            continue;
        }
        // What we write must read back as written, through the batch file's "%" escaping. A folder
        // that is only a "\\" is written as "\\" followed by the closing quote, which escapes it:
        // the builder's to mend, so such lines are left out here.
        if (built[1].find("\\\"") != std::string::npos) {
            continue;
        }
        // File names on Windows cannot hold a double quote (the line has no way to write one) and do
        // not end in a blank (a blank before a separator survives the builder's trimming); the builder
        // trims a separator off the end of a quoted name.
        const auto quoted = [&job](options::Control control) {
            const std::string& text = job.text(control);
            return text.find('"') != std::string::npos || text.find(" /") != std::string::npos ||
                   text.find(" \\") != std::string::npos || text.find("/\n") != std::string::npos ||
                   text.find("\\\n") != std::string::npos;
        };
        if (quoted(options::Control::edt_PSD) || quoted(options::Control::edt_PDD) ||
            quoted(options::Control::red_FListe) || quoted(options::Control::edt_LLOG)) {
            continue;
        }
        // The builder writes number values as they are: blanks and quotes in them split the line.
        const bool blankNumber = std::ranges::any_of(options::Options(), [&job](const options::OptionInfo& option) {
            const bool number = option.argument == options::ArgumentKind::Number ||
                                option.argument == options::ArgumentKind::NumberAsTyped ||
                                option.argument == options::ArgumentKind::PaddedNumber;
            return number && !option.fields.empty() &&
                   job.text(option.fields[0]).find_first_of(" \t\"") != std::string::npos;
        });
        if (blankNumber) {
            continue;
        }
        // Without a source the builder writes the destination where the source belongs; without a
        // destination, on POSIX the next unknown "/word" is read as the missing folder.
        if ((job.sourcePath().empty() && !job.destinationPath().empty()) ||
            (style == PathStyle::Posix && job.destinationPath().empty())) {
            continue;
        }
        // /RH is read only as hhmm-hhmm, while its fields may hold anything of other lengths.
        if (job.IsOptionSet(options::Control::chb_MRH)) {
            continue;
        }
        // The splitter drops quotes, so a POSIX folder named like a switch ("/S", "/J:x") reads as one; on
        // Windows every argument that starts with "/" is a switch, quoted or not.
        // Blanks around an argument are trimmed before it is judged ("/X ").
        const auto switchLike = [style](const std::string& path) {
            const std::string_view folder = formats::TrimBlanks(path);
            return style == PathStyle::Windows ? folder.starts_with('/')
                                               : formats::IsRobocopySwitch(folder.substr(0, folder.find(':')));
        };
        if (switchLike(job.sourcePath()) || switchLike(job.destinationPath())) {
            continue;
        }
        const std::string written = workspace::EscapeBatchPercent(built[1]);
        options::JobState again(environment);
        if (!workspace::ParseCommandLine(again, workspace::UnescapeBatchPercent(written), false, log, services,
                                         style)) {
            std::abort();
        }
        // The folders and the name lists are this reader's part; how the builder writes values of
        // number fields that hold blanks is not.
        // A list without names is left off the line, so only the names are compared.
        const auto names = [](const options::JobState& state) {
            std::string listed;
            std::string list;
            for (const std::string_view entry : options::SplitNameList(state.nameListText())) {
                if (const options::OptionInfo* option = options::FindOptionBySwitch(entry);
                    option != nullptr && option->argument == options::ArgumentKind::List) {
                    list = entry;
                } else if (!entry.empty()) {
                    listed += list + ":" + std::string(entry) + "\n";
                }
            }
            return listed;
        };
        if (again.sourcePath() != job.sourcePath() || again.destinationPath() != job.destinationPath() ||
            names(again) != names(job)) {
            std::fprintf(stderr, "written:  %s\n", built[1].c_str());
            std::abort();
        }
    }
    return 0;
}
