// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <set>
#include <stdexcept>
#include <string>

#include "core/options/JobEnvironment.h"

namespace talvex::fakes {

/// A job environment whose files, burning tool and chooser the test decides.
class FakeJobEnvironment final : public options::JobEnvironment {
public:
    std::set<std::string> existingFiles;
    bool burningTool = false;
    bool throwOnFileQuery = false;
    /// Stands in for the mkisofs chooser of the Image tab; may set edt_Imkisofs.
    std::function<void(options::JobState&)> onImageTicked;

    [[nodiscard]] bool fileExists(const std::string& path) const override {
        if (throwOnFileQuery) {
            throw std::runtime_error("file query failed");
        }
        return existingFiles.count(path) > 0;
    }
    [[nodiscard]] bool burningToolInstalled() const override { return burningTool; }
    void imageOptionTicked(options::JobState& state) override {
        if (onImageTicked) {
            onImageTicked(state);
        }
    }
};

} // namespace talvex::fakes
