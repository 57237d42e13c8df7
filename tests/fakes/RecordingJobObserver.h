// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/options/JobStateObserver.h"

namespace talvex::fakes {

/// Records what a job state reported, so tests can count handler runs and check what a view saw.
class RecordingJobObserver final : public options::JobStateObserver {
public:
    int optionChangedCount = 0;
    std::vector<std::pair<options::Control, bool>> ticks;
    std::vector<std::pair<options::Control, std::string>> texts;
    std::vector<std::string> captions;

    void tickedChanged(options::Control control, bool ticked) override { ticks.emplace_back(control, ticked); }
    void textChanged(options::Control control, std::string_view text) override {
        texts.emplace_back(control, std::string(text));
    }
    void optionChanged() override { ++optionChangedCount; }
    void captionChanged(std::string_view caption) override { captions.emplace_back(caption); }

    void clear() { *this = RecordingJobObserver(); }
};

} // namespace talvex::fakes
