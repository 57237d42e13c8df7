// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/VersionFields.h"
#include "platform/win32/Wide.h"

namespace talvex::platform {

namespace {

constexpr std::array<std::pair<const wchar_t*, std::string VersionTexts::*>, 7> kKeys{{
    {L"InternalName", &VersionTexts::internalName},
    {L"FileVersion", &VersionTexts::fileVersion},
    {L"CompanyName", &VersionTexts::companyName},
    {L"FileDescription", &VersionTexts::fileDescription},
    {L"LegalCopyright", &VersionTexts::legalCopyright},
    {L"Homepage", &VersionTexts::homepage},
    {L"Comments", &VersionTexts::comments},
}};

struct Translation {
    WORD language;
    WORD codePage;
};

// The string table to read: the first language the resource lists, else US English in Unicode,
// the table resource compilers write when none is named.
std::wstring StringTablePath(const std::vector<char>& data) {
    Translation translation{0x0409, 1200};
    void* value = nullptr;
    UINT size = 0;
    if (::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &size) && size >= sizeof translation) {
        translation = *static_cast<const Translation*>(value);
    }
    std::array<wchar_t, 40> path{};
    std::swprintf(path.data(), path.size(), L"\\StringFileInfo\\%04x%04x\\", translation.language,
                  translation.codePage);
    return path.data();
}

} // namespace

std::optional<VersionFields> ReadVersionFields(const std::string& fileName) {
    const std::wstring file = win32::Widen(fileName);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<char> data(size);
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, data.data())) {
        return std::nullopt;
    }
    VersionFields fields;
    void* value = nullptr;
    UINT length = 0;
    if (::VerQueryValueW(data.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        fields.preRelease = (fixed->dwFileFlags & fixed->dwFileFlagsMask & VS_FF_PRERELEASE) != 0;
    }
    const std::wstring table = StringTablePath(data);
    for (const auto& [key, member] : kKeys) {
        // The length counts characters and may include the terminating zero.
        if (::VerQueryValueW(data.data(), (table + key).c_str(), &value, &length) && length > 0) {
            std::wstring_view text(static_cast<const wchar_t*>(value), length);
            text = text.substr(0, text.find(L'\0'));
            fields.texts.*member = win32::Narrow(text);
        }
    }
    return fields;
}

} // namespace talvex::platform
