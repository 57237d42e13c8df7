// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/settings/SettingsFolder.h"

class QRadioButton;

namespace talvex::gui {

/// "Erster Aufruf von Talvex": where the settings are kept, asked once when no settings file is
/// found. Closing it without "Übernehmen" counts as choosing the marked item.
class FirstRunDialog final : public QDialog, public settings::FirstRunChoice {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FirstRunDialog)

public:
    explicit FirstRunDialog(QWidget* parent = nullptr);
    ~FirstRunDialog() override = default;

    [[nodiscard]] std::optional<settings::SettingsLocation>
    chooseSettingsLocation(settings::SettingsLocation preselected) override;

    /// The item marked now.
    [[nodiscard]] settings::SettingsLocation markedLocation() const;

private:
    QRadioButton* m_programFolder;
    QRadioButton* m_applicationData;
};

} // namespace talvex::gui
