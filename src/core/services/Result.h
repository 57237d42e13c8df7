// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <string>
#include <utility>
#include <variant>

#include "platform/Files.h"

namespace talvex {

/// Why an operation failed, in words for the user: translated where the text is ours, naming the
/// file concerned and the system's message where a file operation failed. Messages put it behind
/// their own sentence ("...: %s"), so it needs no leading or trailing punctuation.
struct Error {
    std::string reason;

    /// "<file>: <reason>", the reason in the user's language for the common causes (no permission,
    /// read-only file system, disk full, path not found), else the system's message behind ours.
    [[nodiscard]] static Error FromFile(const platform::FileError& error);
    /// An exception caught at the edge of an operation, which otherwise would only say "failed".
    [[nodiscard]] static Error FromException(const std::exception& exception);
};

/// The outcome of an operation that produces nothing but may fail: success, or the `Error` that
/// prevented it. Tests true on success, so operations whose contract is "false on failure" keep
/// that reading while the reason stays reachable. The core's one result type, with `Result<T>`.
class [[nodiscard]] Status {
public:
    /// Success.
    Status() = default;
    /// Failure; implicit so that `return Error{...};` reads as what it is.
    Status(Error error) : m_error(std::move(error)), m_failed(true) {} // NOLINT(google-explicit-constructor)

    [[nodiscard]] explicit operator bool() const noexcept { return !m_failed; }
    /// Empty on success.
    [[nodiscard]] const std::string& reason() const noexcept { return m_error.reason; }

private:
    Error m_error;
    bool m_failed = false;
};

/// A value, or the `Error` that prevented it. Tests true when it holds a value; reading the value
/// of a failure throws `std::bad_variant_access` instead of reading garbage.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}     // NOLINT(google-explicit-constructor)
    Result(Error error) : m_value(std::move(error)) {} // NOLINT(google-explicit-constructor)

    [[nodiscard]] explicit operator bool() const noexcept { return std::holds_alternative<T>(m_value); }
    [[nodiscard]] T& value() & { return std::get<T>(m_value); }
    [[nodiscard]] const T& value() const& { return std::get<T>(m_value); }
    [[nodiscard]] T&& value() && { return std::get<T>(std::move(m_value)); }
    [[nodiscard]] T& operator*() & { return value(); }
    [[nodiscard]] const T& operator*() const& { return value(); }
    [[nodiscard]] T* operator->() { return &value(); }
    [[nodiscard]] const T* operator->() const { return &value(); }

    /// Empty when it holds a value.
    [[nodiscard]] const std::string& reason() const noexcept {
        static const std::string kNone;
        const Error* error = std::get_if<Error>(&m_value);
        return error != nullptr ? error->reason : kNone;
    }
    /// The outcome without the value, for passing a failure on.
    [[nodiscard]] Status status() const {
        if (const Error* error = std::get_if<Error>(&m_value)) {
            return *error;
        }
        return {};
    }

private:
    std::variant<T, Error> m_value;
};

} // namespace talvex
