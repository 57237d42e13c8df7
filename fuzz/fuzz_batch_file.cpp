// SPDX-License-Identifier: GPL-3.0-or-later
// Batch files are edited by hand. Whatever the bytes, recognising one and reading it with each of
// the four batch readers must neither crash nor loop. The bytes go through a real file because the
// readers take file names; every question is declined.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include <unistd.h>

#include "FuzzServices.h"
#include "core/settings/IniStore.h"
#include "core/settings/PathSettings.h"
#include "core/workspace/BatchReader.h"
#include "core/workspace/ScriptKind.h"
#include "core/workspace/Workspace.h"
#include "platform/Files.h"

using namespace talvex;

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "talvex-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return pattern;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string file = Folder() + "/input.bat";
    if (platform::WriteFileAtomically(file, bytes)) {
        std::abort();
    }
    (void)workspace::DetectScriptKind(file);

    fuzzing::NoFiles environment;
    fuzzing::FixedServices formats;
    settings::IniStore store;
    settings::PathSettings paths(store, Folder());
    fuzzing::DecliningUserInterface ui;
    fuzzing::CharacterMeasurer measurer;
    workspace::Workspace ws(
        workspace::WorkspaceServices{environment, formats, store, paths, ui, measurer, Folder(), {}},
        [](options::JobState&) { return std::make_unique<NullLogSink>(); });
    for (void (*reader)(workspace::Workspace&, const std::string&) :
         {workspace::OpenJobBatch, workspace::OpenCommandBatch, workspace::OpenMultiJobBatch,
          workspace::OpenMultiCommandBatch}) {
        ws.current().job->setJobFilePath(file);
        reader(ws, file);
        // No folder read holds a double quote: one there means a line was split wrongly.
        for (std::size_t n = 0; n < ws.jobs().size(); ++n) {
            const options::JobState& job = *ws.jobs().at(n).job;
            if (job.sourcePath().find('"') != std::string::npos ||
                job.destinationPath().find('"') != std::string::npos) {
                std::abort();
            }
        }
        ws.CloseAllJobs();
    }
    return 0;
}
