// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodePage.h"

#include <algorithm>

#include "platform/Unicode.h"
#include "platform/win32/Wide.h"

namespace talvex::platform {

namespace {

// The ANSI code page, in which the job and batch files are written, as cmd.exe and robocopy
// read them. Characters it lacks become its default character ("?") without a best-fit guess:
// a best fit would turn a name into another existing name.
std::string ToAnsi(std::string_view utf8, bool* lossy) {
    const std::wstring wide = win32::Widen(utf8);
    if (wide.empty()) {
        return {};
    }
    const UINT codePage = ::GetACP();
    // UTF-8 as the system code page (a Windows 10 option) knows neither flag.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int size = ::WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, usedDefaultOut);
    std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
    ::WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), out.data(), size, nullptr,
                          usedDefaultOut);
    if (lossy != nullptr) {
        *lossy = usedDefault != FALSE;
    }
    return out;
}

} // namespace

std::string ToSystemCodePage(std::string_view utf8) {
    return ToAnsi(utf8, nullptr);
}

std::string FromSystemCodePage(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const UINT codePage = ::GetACP();
    const int size = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return win32::Narrow(wide);
}

std::string FromFileCodePage(std::string_view text) {
    // The ANSI code page is the one such files are written in here.
    return FromSystemCodePage(text);
}

bool IsRepresentableInSystemCodePage(std::string_view utf8) {
    if (!IsValidUtf8(utf8)) {
        return false;
    }
    bool lossy = false;
    const std::string ansi = ToAnsi(utf8, &lossy);
    return !lossy && FromSystemCodePage(ansi) == utf8;
}

} // namespace talvex::platform
