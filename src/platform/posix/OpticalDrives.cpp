// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OpticalDrives.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

namespace talvex::platform {
namespace {

namespace fs = std::filesystem;

// INQUIRY texts are blank-padded and end at a zero byte, as on the wire.
std::string ReadField(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    text = text.substr(0, text.find('\0'));
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// "sr12" → 12; -1 for every other name.
int DriveNumber(std::string_view name) {
    if (!name.starts_with("sr") || name.size() == 2) {
        return -1;
    }
    int number = -1;
    const auto [end, error] = std::from_chars(name.data() + 2, name.data() + name.size(), number);
    return error == std::errc() && end == name.data() + name.size() ? number : -1;
}

// The SCSI address is the name the device link points to: "host:channel:target:lun".
void ReadAddress(const fs::path& deviceLink, OpticalDrive& drive) {
    std::error_code error;
    const std::string name = fs::weakly_canonical(deviceLink, error).filename().string();
    std::array<int, 4> parts{};
    const char* next = name.data();
    const char* end = name.data() + name.size();
    for (int i = 0; i < 4; ++i) {
        const auto result = std::from_chars(next, end, parts.at(static_cast<std::size_t>(i)));
        if (result.ec != std::errc() || (i < 3 && (result.ptr == end || *result.ptr != ':'))) {
            return;
        }
        next = result.ptr + 1;
    }
    drive.adapter = parts[0];
    drive.target = parts[2];
    drive.lun = parts[3];
}

} // namespace

std::vector<OpticalDrive> ListOpticalDrives(const std::string& sysRoot) {
    std::vector<std::pair<int, OpticalDrive>> found;
    std::error_code error;
    const fs::path blocks = fs::path(sysRoot) / "class" / "block";
    for (fs::directory_iterator it(blocks, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const int number = DriveNumber(name);
        if (number < 0) {
            continue;
        }
        OpticalDrive drive;
        drive.device = "/dev/" + name;
        const fs::path device = it->path() / "device";
        drive.vendor = ReadField(device / "vendor");
        drive.product = ReadField(device / "model");
        ReadAddress(device, drive);
        found.emplace_back(number, std::move(drive));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<OpticalDrive> drives;
    drives.reserve(found.size());
    for (auto& entry : found) {
        drives.push_back(std::move(entry.second));
    }
    return drives;
}

} // namespace talvex::platform
