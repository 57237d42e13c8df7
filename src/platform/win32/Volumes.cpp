// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Volumes.h"

#include <array>
#include <random>

#include "platform/win32/Wide.h"

namespace talvex::platform {

namespace {

// "C:\..." or "\\server\share\...": only these name a volume; a relative path would silently
// report the volume of the current folder.
bool IsAbsolute(std::string_view path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return drive || path.starts_with("\\\\") || path.starts_with("//");
}

} // namespace

std::string FileSystemName(const std::string& path) {
    if (!IsAbsolute(path)) {
        return {};
    }
    // The root of the volume that holds the path; a folder that does not exist yet (a destination
    // to be created) still lies on the volume of its drive or share.
    std::array<wchar_t, MAX_PATH + 1> root{};
    if (!::GetVolumePathNameW(win32::Widen(path).c_str(), root.data(), static_cast<DWORD>(root.size()))) {
        return {};
    }
    std::array<wchar_t, MAX_PATH + 1> name{};
    if (!::GetVolumeInformationW(root.data(), nullptr, 0, nullptr, nullptr, nullptr, name.data(),
                                 static_cast<DWORD>(name.size()))) {
        return {};
    }
    return win32::Narrow(name.data());
}

bool CanWriteInFolder(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    std::string base = folder;
    if (base.back() != '\\' && base.back() != '/') {
        base += '\\';
    }
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<long> draw(0, 2147483646);
    // CREATE_NEW never opens a user's file that happens to carry the drawn name, and the file
    // goes when its handle closes, even if the program dies in between.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::wstring probe = win32::Widen(base + std::to_string(draw(random)) + ".tmp");
        HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    return false;
}

VolumeSpaceResult QueryVolumeSpace(const std::string& path) {
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    // The free bytes of the whole volume, not only those the user's quota leaves: as on POSIX.
    if (!::GetDiskFreeSpaceExW(win32::Widen(path).c_str(), &available, &total, &free)) {
        return {std::nullopt, win32::ErrorMessage(::GetLastError())};
    }
    return {VolumeSpace{total.QuadPart, free.QuadPart}, {}};
}

} // namespace talvex::platform
