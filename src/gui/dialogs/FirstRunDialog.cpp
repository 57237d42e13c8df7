// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/FirstRunDialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/services/Translate.h"
#include "gui/QtText.h"

namespace talvex::gui {

FirstRunDialog::FirstRunDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frm_ErsterAufruf"));
    setWindowTitle(Tr("Erster Aufruf von Talvex"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(500, 130);

    auto* group = new QGroupBox(Tr("Wählen Sie den Speicherort für INI und Voreinstellungen"), this);
    group->setObjectName(QStringLiteral("rgr_Speicherort"));
    group->setGeometry(10, 10, 480, 80);
    m_programFolder = new QRadioButton(Tr("Im Programmverzeichnis speichern"), group);
    m_programFolder->setObjectName(QStringLiteral("rbt_Programmverzeichnis"));
    m_programFolder->setGeometry(10, 22, 460, 20);
    m_applicationData =
        new QRadioButton(Tr("Im eigenen Verzeichnis unter Anwendungsdaten des Nutzers speichern"), group);
    m_applicationData->setObjectName(QStringLiteral("rbt_Anwendungsdaten"));
    m_applicationData->setGeometry(10, 48, 460, 20);
    m_applicationData->setChecked(true);

    auto* accept = new QPushButton(Tr("Übernehmen"), this);
    accept->setObjectName(QStringLiteral("btn_Uebernehmen"));
    accept->setGeometry(200, 100, 100, 25);
    accept->setDefault(true);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
}

std::optional<settings::SettingsLocation>
FirstRunDialog::chooseSettingsLocation(settings::SettingsLocation preselected) {
    (preselected == settings::SettingsLocation::ProgramFolder ? m_programFolder : m_applicationData)->setChecked(true);
    // Closing the dialog without "Übernehmen" takes the marked item too, also one the user marked.
    exec();
    return markedLocation();
}

settings::SettingsLocation FirstRunDialog::markedLocation() const {
    return m_programFolder->isChecked() ? settings::SettingsLocation::ProgramFolder
                                        : settings::SettingsLocation::ApplicationData;
}

} // namespace talvex::gui
