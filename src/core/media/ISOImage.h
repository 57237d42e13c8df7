// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/exec/ChildRun.h"
#include "core/exec/JobSteps.h"
#include "core/media/MediaServices.h"
#include "core/services/LogSink.h"

namespace talvex::media {

/// The mkisofs command line for an image: program, two blanks, Joliet and Rock Ridge names, the
/// volume label, the image file and the folder.
[[nodiscard]] std::string MkisofsCommandLine(const exec::ImageRequest& request);

/// The size of a folder in KiB: every entry's bytes, summed over the subfolders except those whose
/// name begins with "." (hidden), truncated. Symbolic links count as themselves, never followed.
[[nodiscard]] std::uint64_t FolderSizeKiB(const std::string& folder);

/// The size of a finished image in KiB: the file itself, or, when mkisofs split it, the sum of the
/// parts "<image>_00" to "<image>_09" that exist.
[[nodiscard]] std::uint64_t ImageSizeKiB(const std::string& imageFile);

/// The file of a split image's first part; the burn starts from it when the image itself is missing.
[[nodiscard]] std::string ImagePartName(const std::string& imageFile, int part);

/// Builds one ISO image of a job's destination folder with mkisofs after the copy: checks the
/// folder, removes an old image, checks the free space, shows the mkisofs version and runs it,
/// each step in the job's log. Driven by `poll` like the run itself, so Stop ends mkisofs.
class TISOImage final : public exec::JobStep {
public:
    /// `services` and `log` must outlive the step.
    TISOImage(exec::ImageRequest request, MediaServices& services, LogSink& log);

    /// Everything up to starting mkisofs. False when the step ended there (the reason is logged).
    [[nodiscard]] bool begin();

    [[nodiscard]] bool poll(int timeoutMs) override;
    bool terminate() override;
    [[nodiscard]] bool succeeded() const override { return m_succeeded; }
    [[nodiscard]] platform::ChildWaitHandles waitHandles() const override { return m_run.waitHandles(); }

private:
    enum class Stage {
        NotStarted,
        Version,
        Build,
        Done,
    };

    [[nodiscard]] bool prepare();
    void startBuild();
    void buildEnded();

    exec::ImageRequest m_request;
    MediaServices& m_services;
    LogSink& m_log;
    exec::ChildRun m_run;
    Stage m_stage = Stage::NotStarted;
    bool m_stopped = false;
    bool m_succeeded = false;
};

} // namespace talvex::media
