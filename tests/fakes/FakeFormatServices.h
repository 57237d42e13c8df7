// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <stdexcept>
#include <string>

#include "core/formats/FormatServices.h"

namespace talvex::fakes {

/// Fixed version, date and time; path conversions from tables the test fills (a path without an
/// entry passes unchanged, as an ASCII path does).
class FakeFormatServices final : public formats::FormatServices {
public:
    std::string version = "Version 1.0";
    std::string date = "05.12.2026";
    std::string time = "13:10:38";
    std::string logFile = "C:\\Users\\anna\\AppData\\Roaming\\Talvex\\tmp.log";
    std::map<std::string, std::string, std::less<>> shortPaths;
    std::map<std::string, std::string, std::less<>> longPaths;
    bool failPathConversion = false; ///< the path conversions throw, as a failing system call might
    bool failDate = false;           ///< the date query throws

    [[nodiscard]] std::string dateText() const override {
        if (failDate) {
            throw std::runtime_error("no date");
        }
        return date;
    }
    [[nodiscard]] std::string timeText() const override { return time; }
    [[nodiscard]] std::string versionText() const override { return version; }
    [[nodiscard]] std::string toCodePagePath(std::string_view path) const override { return Lookup(shortPaths, path); }
    [[nodiscard]] std::string toLongPath(std::string_view path) const override { return Lookup(longPaths, path); }
    [[nodiscard]] std::string defaultLogFile() const override { return logFile; }

private:
    std::string Lookup(const std::map<std::string, std::string, std::less<>>& table, std::string_view path) const {
        if (failPathConversion) {
            throw std::runtime_error("path conversion failed");
        }
        const auto found = table.find(path);
        return found == table.end() ? std::string(path) : found->second;
    }
};

} // namespace talvex::fakes
