// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace talvex::platform {

/// Size and free room of the volume that holds a path, in bytes. The free room counts every free
/// byte of the volume, also those reserved for the administrator or withheld by a quota.
struct VolumeSpace {
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytes = 0;
};

/// The free space, or the system's reason (strerror) why it cannot be queried.
struct VolumeSpaceResult {
    std::optional<VolumeSpace> space;
    std::string error;
};

/// The file-system type of the volume that holds the path: on POSIX the type of its mount ("ext4",
/// "btrfs", "ntfs3") as listed in /proc/self/mountinfo, on Windows the name the volume reports
/// ("NTFS", "FAT32"); empty when it cannot be found out or the path is not absolute.
[[nodiscard]] std::string FileSystemName(const std::string& path);

#ifndef _WIN32
/// The file-system type from the text of a mountinfo file, for a path already resolved to its real
/// form: the mount with the longest mount point that holds the path (the last one mounted on the
/// same point, which hides the earlier ones). Empty when no mount holds it.
[[nodiscard]] std::string FileSystemNameFromMountInfo(std::string_view mountInfo, std::string_view resolvedPath);
#endif

/// True when a file can be created in the folder: creates a file of a new random name and removes it
/// again. An existing file is never touched.
[[nodiscard]] bool CanWriteInFolder(const std::string& folder);

/// Size and free room of the volume that holds the path.
[[nodiscard]] VolumeSpaceResult QueryVolumeSpace(const std::string& path);

/// The queries above behind one interface, so that the logic using them is tested with made-up volumes.
class VolumeProbes {
public:
    virtual ~VolumeProbes() = default;
    [[nodiscard]] virtual std::string fileSystemName(const std::string& path) const = 0;
    [[nodiscard]] virtual bool canWriteInFolder(const std::string& folder) const = 0;
    [[nodiscard]] virtual VolumeSpaceResult space(const std::string& path) const = 0;
};

class SystemVolumeProbes final : public VolumeProbes {
public:
    [[nodiscard]] std::string fileSystemName(const std::string& path) const override { return FileSystemName(path); }
    [[nodiscard]] bool canWriteInFolder(const std::string& folder) const override { return CanWriteInFolder(folder); }
    [[nodiscard]] VolumeSpaceResult space(const std::string& path) const override { return QueryVolumeSpace(path); }
};

} // namespace talvex::platform
