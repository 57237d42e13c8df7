// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "core/services/LogSink.h"
#include "platform/ChildProcess.h"

namespace talvex::exec {

/// What the image step needs: mkisofs, the folder that becomes the image, the image file and the
/// volume label (the date the run was started on).
struct ImageRequest {
    std::string mkisofs;
    std::string folder;
    std::string imageFile;
    std::string volumeLabel;
};

/// What the burn step needs. A run from a job always erases rewritable media without asking and
/// keeps the burn log beside the image.
struct BurnRequest {
    std::string imageFile;
    std::string burner;
    std::string speed;
    bool eraseWithoutAsking = true;
    bool saveBurnLog = true;
};

/// A step after the robocopy run that may run children of its own. It is driven like the run
/// itself, so the user interface stays responsive and Stop reaches the child that runs at the time.
class JobStep {
public:
    virtual ~JobStep() = default;

    /// Waits at most `timeoutMs` and moves the step on; true while it goes on.
    [[nodiscard]] virtual bool poll(int timeoutMs) = 0;
    /// Asks the child that runs now to stop; the step still has to be polled to its end. False when
    /// no child runs or the request failed.
    virtual bool terminate() = 0;
    /// Once the step has ended: whether it did its work. A stopped step never did.
    [[nodiscard]] virtual bool succeeded() const = 0;
    [[nodiscard]] virtual platform::ChildWaitHandles waitHandles() const { return {}; }
};

/// Begins the image and burn steps. Each step logs into the log it is given, which outlives it.
/// A step that cannot even begin logs why and returns nothing; that counts as a failed step.
class MediaSteps {
public:
    virtual ~MediaSteps() = default;
    [[nodiscard]] virtual std::unique_ptr<JobStep> startImage(const ImageRequest& request, LogSink& log) = 0;
    [[nodiscard]] virtual std::unique_ptr<JobStep> startBurn(const BurnRequest& request, LogSink& log) = 0;
};

/// For a program without image and burn support: every step fails at once, silently.
class NoMediaSteps final : public MediaSteps {
public:
    [[nodiscard]] std::unique_ptr<JobStep> startImage(const ImageRequest& /*request*/, LogSink& /*log*/) override {
        return nullptr;
    }
    [[nodiscard]] std::unique_ptr<JobStep> startBurn(const BurnRequest& /*request*/, LogSink& /*log*/) override {
        return nullptr;
    }
};

} // namespace talvex::exec
