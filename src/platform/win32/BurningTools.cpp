// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BurningTools.h"

#include <array>
#include <string_view>

#include "platform/win32/Wide.h"

namespace talvex::platform {

namespace {

// The folder an installer wrote under HKEY_CURRENT_USER; the key is only read, never created.
// RRF_RT_REG_SZ takes REG_EXPAND_SZ values too, with their variables expanded.
std::optional<std::wstring> InstallDirectory(const wchar_t* key) {
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, key, L"InstallDirectory", RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
            ERROR_SUCCESS ||
        size < sizeof(wchar_t)) {
        return std::nullopt;
    }
    std::wstring folder(size / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_CURRENT_USER, key, L"InstallDirectory", RRF_RT_REG_SZ, nullptr, folder.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    folder.resize(folder.find(L'\0'));
    return folder;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

std::optional<std::string> InstalledBurningTool() {
    struct Tool {
        const wchar_t* key;
        const wchar_t* program;
    };
    static constexpr std::array<Tool, 2> kTools{{
        {L"Software\\ImgBurn", L"ImgBurn.exe"},
        {L"Software\\DVD Decrypter", L"DVDDecrypter.exe"},
    }};
    for (const Tool& tool : kTools) {
        std::optional<std::wstring> folder = InstallDirectory(tool.key);
        if (!folder) {
            continue;
        }
        if (!folder->empty() && folder->back() != L'\\') {
            folder->push_back(L'\\');
        }
        const std::wstring program = *folder + tool.program;
        if (IsFile(program)) {
            return win32::Narrow(program);
        }
    }
    return std::nullopt;
}

} // namespace talvex::platform
