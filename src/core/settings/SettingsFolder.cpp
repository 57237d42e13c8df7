// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SettingsFolder.h"

#include <filesystem>
#include <system_error>

#include "platform/PathQueries.h"
#include "platform/PathText.h"

namespace talvex::settings {
namespace {

std::optional<platform::FileError> CreateFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(platform::PathFromUtf8(folder), ec);
    if (!ec && !platform::IsFolder(folder)) {
        ec = std::make_error_code(std::errc::not_a_directory);
    }
    if (ec) {
        return platform::FileError{folder, ec.value(), ec.message()};
    }
    return std::nullopt;
}

} // namespace

SettingsFolderResult FindSettingsFolder(std::string_view programFolder, std::string_view applicationDataFolder,
                                        FirstRunChoice& choice, PathStyle style) {
    SettingsFolderResult result;
    const std::string program(ExcludeTrailingSeparator(programFolder, style));
    if (platform::PathExists(SettingsFilePath(program, style))) {
        result.folder = program;
        return result;
    }
    const std::string candidate = JoinPath(applicationDataFolder, kSettingsFolderName, style);
    if (platform::PathExists(SettingsFilePath(candidate, style))) {
        result.folder = candidate;
        return result;
    }

    result.firstRun = true;
    const SettingsLocation chosen =
        choice.chooseSettingsLocation(SettingsLocation::ApplicationData).value_or(SettingsLocation::ApplicationData);
    result.folder = chosen == SettingsLocation::ProgramFolder ? program : candidate;
    result.error = CreateFolder(result.folder);
    return result;
}

std::string SettingsFilePath(std::string_view settingsFolder, PathStyle style) {
    return JoinPath(settingsFolder, kSettingsFileName, style);
}

} // namespace talvex::settings
