// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/exec/ChildRun.h"
#include "core/exec/JobSteps.h"
#include "core/media/MediaServices.h"
#include "core/services/LogSink.h"

namespace talvex::media {

/// The program name of our burning adapter, which takes the burning tool's switches.
inline constexpr std::string_view kBurnAdapterName = "talvex-burn";

/// The drive a burner-list line names for /DEST: on Windows its first two characters (letter and
/// colon), elsewhere its first word (the device path, "/dev/sr0").
[[nodiscard]] std::string BurnerDevice(std::string_view burnerLine, PathStyle style = kNativePathStyle);

/// The burning tool's command line: the tool, then /START /CLOSE /SRC /DEST /SPEED and, as asked
/// for, /ERASE and /LOG with the image's name ending in ".txt".
[[nodiscard]] std::string BurnCommandLine(const std::string& tool, const std::string& source,
                                          const exec::BurnRequest& request, PathStyle style = kNativePathStyle);

/// The burning tool: the one an installer recorded (ImgBurn, DVD Decrypter; Windows only), else our
/// adapter in the program's folder, else on the search path. None when there is none of them.
[[nodiscard]] std::optional<std::string> FindBurningTool(const std::vector<std::string>& searchFolders);

/// Burns one image with the burning tool after it was built; the image, drive and speed are
/// logged, the tool's output follows. Driven by `poll` like the run itself, so Stop ends the tool.
class TImgBurn final : public exec::JobStep {
public:
    /// `services` and `log` must outlive the step.
    TImgBurn(exec::BurnRequest request, MediaServices& services, LogSink& log);

    /// Logs the heading and starts the tool. False when the step ended there (no image to burn, or
    /// the tool could not start), with the reason logged.
    [[nodiscard]] bool begin();

    [[nodiscard]] bool poll(int timeoutMs) override;
    bool terminate() override;
    [[nodiscard]] bool succeeded() const override { return m_succeeded; }
    [[nodiscard]] platform::ChildWaitHandles waitHandles() const override { return m_run.waitHandles(); }

private:
    void ended();

    exec::BurnRequest m_request;
    MediaServices& m_services;
    LogSink& m_log;
    exec::ChildRun m_run;
    bool m_running = false;
    bool m_succeeded = false;
};

} // namespace talvex::media
