// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "core/exec/JobSteps.h"
#include "core/media/MediaServices.h"

namespace talvex::media {

/// The image and burn steps of a job run: mkisofs and the burning tool as child processes.
class ChildMediaSteps final : public exec::MediaSteps {
public:
    /// `services` must outlive every step begun here.
    explicit ChildMediaSteps(MediaServices services) : m_services(std::move(services)) {}

    [[nodiscard]] std::unique_ptr<exec::JobStep> startImage(const exec::ImageRequest& request, LogSink& log) override;
    [[nodiscard]] std::unique_ptr<exec::JobStep> startBurn(const exec::BurnRequest& request, LogSink& log) override;

    [[nodiscard]] const MediaServices& services() const { return m_services; }

private:
    MediaServices m_services;
};

} // namespace talvex::media
