// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Volumes.h"

namespace talvex::fakes {

/// Volumes as the test describes them: file-system names per path and folders that refuse writes.
class FakeVolumeProbes final : public platform::VolumeProbes {
public:
    std::map<std::string, std::string> fileSystems;
    std::set<std::string> readOnlyFolders;
    /// What every space query answers; the paths asked are recorded.
    platform::VolumeSpaceResult spaceResult;
    mutable std::vector<std::string> spaceQueries;

    [[nodiscard]] std::string fileSystemName(const std::string& path) const override {
        const auto it = fileSystems.find(path);
        return it == fileSystems.end() ? std::string() : it->second;
    }
    [[nodiscard]] bool canWriteInFolder(const std::string& folder) const override {
        return readOnlyFolders.count(folder) == 0;
    }
    [[nodiscard]] platform::VolumeSpaceResult space(const std::string& path) const override {
        spaceQueries.push_back(path);
        return spaceResult;
    }
};

} // namespace talvex::fakes
