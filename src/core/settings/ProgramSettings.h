// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/settings/IniStore.h"

namespace talvex::settings {

/// How robocopy's console window is shown ("Execute"/"Window").
enum class RobocopyWindow {
    Hidden = 0,
    Normal = 1,
    Minimised = 2,
    Maximised = 3,
};

/// How a job is run ("Execute"/"Job").
enum class RunMode {
    CommandLine = 0,
    TemporaryJobFile = 1,
};

/// The plain settings of "Talvex.ini" with their sections, keys and defaults in one place, so that
/// no caller spells a key differently. Path values go through `PathSettings`.
class ProgramSettings final {
public:
    /// `store` must outlive this object.
    explicit ProgramSettings(IniStore& store) : m_store(store) {}

    [[nodiscard]] bool tooltips() const { return m_store.readBool("Settings", "Tooltipps", false); }
    void setTooltips(bool on) { m_store.writeBool("Settings", "Tooltipps", on); }

    [[nodiscard]] bool imageView() const { return m_store.readBool("Settings", "ImageView", false); }
    void setImageView(bool on) { m_store.writeBool("Settings", "ImageView", on); }

    /// The caption of the chosen language menu item; empty when none was chosen.
    [[nodiscard]] std::string language() const { return m_store.readString("Settings", "Language", ""); }
    void setLanguage(const std::string& caption) { m_store.writeString("Settings", "Language", caption); }

    /// New jobs get the default job.
    [[nodiscard]] bool newWithDefaults() const { return m_store.readBool("Settings", "New", true); }
    void setNewWithDefaults(bool on) { m_store.writeBool("Settings", "New", on); }

    /// Save As also copies robocopy into the job's folder.
    [[nodiscard]] bool copyRobocopy() const { return m_store.readBool("Settings", "CopyRobo", false); }
    void setCopyRobocopy(bool on) { m_store.writeBool("Settings", "CopyRobo", on); }

    /// An unknown stored number gives the default, so a hand-edited file cannot select a mode
    /// that does not exist (nor run nothing). The file keeps that number until a mode is chosen.
    [[nodiscard]] RobocopyWindow robocopyWindow() const;
    void setRobocopyWindow(RobocopyWindow window) {
        m_store.writeInteger("Execute", "Window", static_cast<int>(window));
    }

    [[nodiscard]] RunMode runMode() const;
    void setRunMode(RunMode mode) { m_store.writeInteger("Execute", "Job", static_cast<int>(mode)); }

    /// Before a run deletes (/MIR, /PURGE, /MOV, /MOVE), count with /L and ask.
    [[nodiscard]] bool askBeforeDeleting() const { return m_store.readBool("Execute", "AskBeforeDelete", true); }
    void setAskBeforeDeleting(bool on) { m_store.writeBool("Execute", "AskBeforeDelete", on); }

    /// Count every run with /L first, so that its progress has a total and a time left.
    [[nodiscard]] bool countFirst() const { return m_store.readBool("Execute", "CountFirst", true); }
    void setCountFirst(bool on) { m_store.writeBool("Execute", "CountFirst", on); }

    [[nodiscard]] std::string burnSpeed() const { return m_store.readString("Burn", "Speed", ""); }
    void setBurnSpeed(const std::string& speed) { m_store.writeString("Burn", "Speed", speed); }
    [[nodiscard]] std::string burnDrive() const { return m_store.readString("Burn", "Drive", ""); }
    void setBurnDrive(const std::string& drive) { m_store.writeString("Burn", "Drive", drive); }

private:
    IniStore& m_store;
};

} // namespace talvex::settings
