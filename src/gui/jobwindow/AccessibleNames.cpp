// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/AccessibleNames.h"

#include <QWidget>
#include <array>
#include <utility>

#include "core/services/Translate.h"
#include "gui/QtText.h"

namespace talvex::gui {

namespace {

constexpr auto kNames = std::to_array<std::pair<const char*, const char*>>({
    {"edt_PSD", N_("Quellverzeichnis")},
    {"sbu_PHistorieSD", N_("Zuletzt gewählte Quellverzeichnisse")},
    {"edt_PDD", N_("Zielverzeichnis")},
    {"sbu_PHistorieDD", N_("Zuletzt gewählte Zielverzeichnisse")},
    {"edt_KLEV", N_("Anzahl der Verzeichnisebenen (/LEV)")},
    {"edt_KDCOPY", N_("Zu kopierende Verzeichnisinformationen (/DCOPY)")},
    {"edt_KMT", N_("Anzahl der Threads (/MT)")},
    {"edt_KR", N_("Anzahl der Wiederholungen (/R)")},
    {"edt_KW", N_("Wartezeit zwischen Wiederholungen in Sekunden (/W)")},
    {"edt_FMAX", N_("Größte Dateigröße in Byte (/MAX)")},
    {"edt_FMIN", N_("Kleinste Dateigröße in Byte (/MIN)")},
    {"red_FListe", N_("Ein- und auszuschließende Namen")},
    {"sbu_FListe", N_("Namenslisten bearbeiten")},
    {"edt_LLOG", N_("Name der Logdatei")},
    {"edt_MMON", N_("Anzahl der Änderungen (/MON)")},
    {"edt_MMOT", N_("Minuten zwischen den Durchläufen (/MOT)")},
    {"edt_MIPG", N_("Pause zwischen Paketen in Millisekunden (/IPG)")},
    {"edt_MMAXDEL", N_("Höchstzahl zu löschender Einträge (/MAXDEL)")},
    {"edt_MRH1", N_("Laufzeit von (/RH)")},
    {"edt_MRH2", N_("Laufzeit bis (/RH)")},
    {"edt_KWeitere", N_("Weitere Optionen")},
    // The boxes of the Image tab get their captions only when the tab is first shown.
    {"chb_IIMG", N_("Image erstellen")},
    {"chb_IBurn", N_("CD/DVD brennen")},
    {"sbu_IImage", N_("Zuletzt gewählte Imagedateien")},
    {"edt_IImage", N_("Imagedatei")},
    {"edt_Imkisofs", N_("Befehlszeile von mkisofs")},
    {"sbu_ISpeed", N_("Brenngeschwindigkeiten")},
    {"edt_ISpeed", N_("Brenngeschwindigkeit")},
    {"sbu_IBrenner", N_("Brenner wählen")},
    {"edt_IBrenner", N_("Brenner")},
    {"sbu_Seite", N_("Log im ganzen Fenster zeigen")},
    {"sbu_Teil", N_("Log unter den Seiten zeigen")},
    {"red_Log", N_("Log")},
});

} // namespace

void SetJobWindowAccessibleNames(QWidget* jobWindow) {
    for (const auto& [name, text] : kNames) {
        if (auto* widget = jobWindow->findChild<QWidget*>(QString::fromLatin1(name))) {
            widget->setAccessibleName(Tr(text));
        }
    }
}

} // namespace talvex::gui
