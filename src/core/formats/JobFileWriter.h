// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/formats/FormatServices.h"
#include "core/formats/LineList.h"
#include "core/options/JobState.h"
#include "core/services/LogSink.h"
#include "core/services/Paths.h"
#include "core/services/Result.h"

namespace talvex::formats {

/// Renders a job as a robocopy job file (*.rcj) into `lines` (emptied first), echoing every line
/// into `log` in navy. `fileName` is the path the caller will save to; it only decides the header
/// (the default-settings header for a name part of exactly "~default.rcj"). Only options that are
/// set (ticked and enabled) are written. False when producing the lines failed, with the reason;
/// the list then holds what was produced so far and must not be saved. Save the list with
/// `SaveTextLines`.
[[nodiscard]] Status WriteJobFile(const options::JobState& job, std::string_view fileName, LineList& lines,
                                  LogSink& log, const FormatServices& services);

/// The log file written for a log option whose file field is empty: "Talvex" below the
/// application-data folder when that folder exists, else the documents folder, then "tmp.log".
[[nodiscard]] std::string DefaultLogFile(std::string_view appDataFolder, std::string_view documentsFolder,
                                         const std::function<bool(const std::string&)>& folderExists,
                                         PathStyle style = kNativePathStyle);

} // namespace talvex::formats
