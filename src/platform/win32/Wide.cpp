// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/Wide.h"

#include "platform/Unicode.h"

namespace talvex::platform::win32 {

// wchar_t is a UTF-16 code unit on Windows, so the conversions of Unicode.h serve as they are.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Widen(std::string_view utf8) {
    const std::u16string units = Utf8ToUtf16(utf8);
    return {units.begin(), units.end()};
}

std::string Narrow(std::wstring_view wide) {
    const std::u16string units(wide.begin(), wide.end());
    return Utf16ToUtf8(units);
}

std::string ErrorMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = length > 0 ? Narrow({text, length}) : "error " + std::to_string(code);
    ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

} // namespace talvex::platform::win32
