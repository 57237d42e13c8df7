// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/services/LogSink.h"
#include "core/services/Result.h"

namespace talvex::workspace {

/// The empty black line that ends a block of the log.
void LogEmptyLine(LogSink& log);
/// A heading in purple, underlined with "=" one character longer, and an empty line.
void LogHeading(LogSink& log, std::string_view text);
/// "Datei: <path>." in black.
void LogFileName(LogSink& log, std::string_view path);

/// The reason of a failure in red, beneath the line that says what failed; nothing on success.
void LogReason(LogSink& log, const Status& status);

} // namespace talvex::workspace
