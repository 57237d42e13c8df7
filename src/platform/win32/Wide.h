// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

namespace talvex::platform::win32 {

/// UTF-8 as the UTF-16 the wide Win32 calls take; ill-formed input becomes U+FFFD.
[[nodiscard]] std::wstring Widen(std::string_view utf8);

/// UTF-16 from a wide Win32 call as UTF-8; an unpaired surrogate becomes U+FFFD.
[[nodiscard]] std::string Narrow(std::wstring_view wide);

/// The system's message for an error code, without the trailing line break.
[[nodiscard]] std::string ErrorMessage(DWORD code);

/// Closes a handle once, when its owner goes; never copied.
class Handle final {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& other) noexcept : m_handle(other.release()) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    [[nodiscard]] HANDLE get() const { return m_handle; }
    [[nodiscard]] bool valid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE release() {
        HANDLE handle = m_handle;
        m_handle = nullptr;
        return handle;
    }
    void reset(HANDLE handle = nullptr) {
        if (valid()) {
            ::CloseHandle(m_handle);
        }
        m_handle = handle;
    }

private:
    HANDLE m_handle = nullptr;
};

} // namespace talvex::platform::win32
