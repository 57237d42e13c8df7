// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex::platform {

/// Splits a complete Windows command line into its arguments the way the Windows shell's
/// CommandLineToArgvW does, so a program started here sees what it would see on Windows.
///
/// The program name (first argument) ends at the next double quote when it starts with one,
/// otherwise at the first space or tab; backslashes in it are literal. In every later argument
/// spaces and tabs separate arguments outside double quotes; 2n backslashes before a quote give n
/// backslashes and the quote toggles quoting; 2n+1 backslashes before a quote give n backslashes
/// and a literal quote; backslashes not before a quote are literal; "" inside quotes gives a
/// literal quote and ends the quoted part. An empty quoted argument ("") is kept.
/// An empty or blank line gives no arguments.
[[nodiscard]] std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine);

} // namespace talvex::platform
