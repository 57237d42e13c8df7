// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/media/ChildMediaSteps.h"

#include "core/media/ISOImage.h"
#include "core/media/ImgBurn.h"

namespace talvex::media {

std::unique_ptr<exec::JobStep> ChildMediaSteps::startImage(const exec::ImageRequest& request, LogSink& log) {
    auto step = std::make_unique<TISOImage>(request, m_services, log);
    if (!step->begin()) {
        return nullptr;
    }
    return step;
}

std::unique_ptr<exec::JobStep> ChildMediaSteps::startBurn(const exec::BurnRequest& request, LogSink& log) {
    auto step = std::make_unique<TImgBurn>(request, m_services, log);
    if (!step->begin()) {
        return nullptr;
    }
    return step;
}

} // namespace talvex::media
