// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SpecialFolders.h"

#include "platform/win32/Wide.h"
#include <knownfolders.h>
#include <shlobj.h>

namespace talvex::platform {

namespace {

std::string KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    // The folder is not created when missing: a missing documents folder is the caller's case.
    const HRESULT result = ::SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path);
    std::string folder = SUCCEEDED(result) && path != nullptr ? win32::Narrow(path) : std::string();
    ::CoTaskMemFree(path);
    return folder;
}

} // namespace

std::string Win32SpecialFolders::applicationData() const {
    return KnownFolder(FOLDERID_RoamingAppData);
}

std::string Win32SpecialFolders::documents() const {
    return KnownFolder(FOLDERID_Documents);
}

std::vector<std::string> Win32SpecialFolders::systemFolders() const {
    std::vector<std::string> folders;
    if (std::string system = KnownFolder(FOLDERID_System); !system.empty()) {
        folders.push_back(std::move(system));
    }
    return folders;
}

} // namespace talvex::platform
