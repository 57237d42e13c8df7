// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/formats/FormatServices.h"
#include "core/options/JobEnvironment.h"
#include "core/services/PathDisplay.h"
#include "core/services/UserInterface.h"

namespace talvex::fuzzing {

class NoFiles final : public options::JobEnvironment {
public:
    [[nodiscard]] bool fileExists(const std::string& /*path*/) const override { return false; }
};

class FixedServices final : public formats::FormatServices {
public:
    [[nodiscard]] std::string dateText() const override { return "05.12.2026"; }
    [[nodiscard]] std::string timeText() const override { return "13:10:38"; }
    [[nodiscard]] std::string versionText() const override { return "Version 1.0"; }
    [[nodiscard]] std::string toCodePagePath(std::string_view path) const override { return std::string(path); }
    [[nodiscard]] std::string toLongPath(std::string_view path) const override { return std::string(path); }
    [[nodiscard]] std::string defaultLogFile() const override { return "/tmp/tmp.log"; }
};

/// Declines every question and every file choice.
class DecliningUserInterface final : public UserInterface {
public:
    Answer showMessage(MessageKind, const std::string&, const std::string&, Buttons buttons) override {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    std::optional<FileDialogResult> chooseFileToOpen(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogResult> chooseFileToSave(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&, bool) override {
        return std::nullopt;
    }
};

class CharacterMeasurer final : public TextMeasurer {
public:
    [[nodiscard]] int width(std::string_view utf8) const override { return static_cast<int>(utf8.size()); }
};

} // namespace talvex::fuzzing
