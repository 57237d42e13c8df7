// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace talvex::platform {

/// The folders the program starts from: where settings live, where the user keeps documents (the
/// start folder of the folder choosers) and where system programs are searched.
class SpecialFolders {
public:
    virtual ~SpecialFolders() = default;
    /// The user's application-data folder; empty when it cannot be found out.
    [[nodiscard]] virtual std::string applicationData() const = 0;
    /// The user's documents folder; empty when it cannot be found out.
    [[nodiscard]] virtual std::string documents() const = 0;
    /// The folders searched for system programs, in order.
    [[nodiscard]] virtual std::vector<std::string> systemFolders() const = 0;
};

/// The XDG folders: application data is $XDG_CONFIG_HOME (else ~/.config), documents is what
/// `xdg-user-dir DOCUMENTS` names (else ~/Documents, else the home folder), the system folders are
/// those of PATH.
class PosixSpecialFolders final : public SpecialFolders {
public:
    using Environment = std::function<std::optional<std::string>(const char* name)>;
    using CommandOutput = std::function<std::optional<std::string>()>;
    using FolderExists = std::function<bool(const std::string& path)>;

    /// The process environment, the real `xdg-user-dir` and the real file system.
    PosixSpecialFolders();
    PosixSpecialFolders(Environment environment, CommandOutput xdgDocuments, FolderExists folderExists);

    [[nodiscard]] std::string applicationData() const override;
    [[nodiscard]] std::string documents() const override;
    [[nodiscard]] std::vector<std::string> systemFolders() const override;

private:
    [[nodiscard]] std::string home() const;

    Environment m_environment;
    CommandOutput m_xdgDocuments;
    FolderExists m_folderExists;
};

#ifdef _WIN32
/// The known folders of Windows: roaming application data, documents, and the system folder
/// (System32), where robocopy is part of the system.
class Win32SpecialFolders final : public SpecialFolders {
public:
    [[nodiscard]] std::string applicationData() const override;
    [[nodiscard]] std::string documents() const override;
    [[nodiscard]] std::vector<std::string> systemFolders() const override;
};

using SystemSpecialFolders = Win32SpecialFolders;
#else
using SystemSpecialFolders = PosixSpecialFolders;
#endif

} // namespace talvex::platform
