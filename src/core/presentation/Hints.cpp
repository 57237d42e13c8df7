// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/Hints.h"

#include <string_view>

#include "core/options/OptionCatalogue.h"
#include "core/services/Translate.h"

namespace talvex::presentation {

namespace {

using options::Control;

// The letters of the four attribute options, by letter.
const char* AttributeLetterHint(char letter, bool finalStop) {
    switch (letter) {
    case 'R':
        return N_("Schreibgeschützt");
    case 'A':
        return N_("Archiv");
    case 'S':
        return N_("System");
    case 'H':
        return N_("Versteckt");
    case 'N':
        return finalStop ? N_("Nicht für schnelle Dateisuche indexiert.")
                         : N_("Nicht für schnelle Dateisuche indexiert");
    case 'T':
        return N_("Temporär");
    case 'C':
        return N_("Komprimiert");
    case 'E':
        return N_("Verschlüsselt");
    case 'O':
        return N_("Offline");
    default:
        return nullptr;
    }
}

const char* OwnHint(Control control) {
    switch (control) {
    case Control::edt_PSD:
        return N_("Verzeichnis der zu sichernden Dateien.");
    case Control::edt_PDD:
        return N_("Verzeichnis in welchem die Dateien gesichert werden sollen.");
    case Control::chb_KCopyD:
        return N_("Daten");
    case Control::chb_KCopyA:
        return N_("Attribute");
    case Control::chb_KCopyT:
        return N_("Datums-/Zeitstempel");
    case Control::chb_KCopyS:
        return N_("Sicherheitsinformationen (NTFS ACL - Quelle und Ziel müssen NTFS formatiert sein.)");
    case Control::chb_KCopyO:
        return N_("Eigentümerinfo (Quelle und Ziel müssen NTFS formatiert sein.)");
    case Control::chb_KCopyU:
        return N_("Berechtigungen (Quelle und Ziel müssen NTFS formatiert sein.)");
    case Control::chb_FIF:
        return N_("Eingeschlossen Dateien mit diesen Namen bzw Teilnamen oder Dateiendungen. Nur für den Gebrauch in "
                  "Jobdateien bestimmt.");
    case Control::chb_FID:
        return N_("Verzeichnisse mit bestimmten Namens- und Pfadangaben einschliessen.");
    case Control::chb_FXD:
        return N_("Verzeichnisse mit bestimmten Namens- und Pfadangaben ausschliessen.");
    case Control::chb_FXF:
        return N_("Dateien mit bestimmten Namens- und Pfadangaben - auch mit Wildcards - ausschliessen.");
    case Control::edt_FMAX:
        return N_("Zu kopierende Dateien dürfen nicht größer als dieser Wert sein.");
    case Control::edt_FMIN:
        return N_("Zu kopierende Dateien müssen mindestens diese Größe aufweisen.");
    case Control::red_FListe:
        return N_("Ein- und ausgeschlossene Namen bzw Teilnamen von Dateien und Verzeichnissen. Nur für den Gebrauch "
                  "in Jobdateien bestimmt.");
    case Control::edt_LLOG:
        return N_("Name der Logdatei");
    case Control::edt_MRH1:
        return N_("Anfangszeit.");
    case Control::edt_MRH2:
        return N_("Endzeit.");
    case Control::chb_IIMG:
        return N_("Nach dem Kopieren ein ISO-Image des Zielverzeichnisses erstellen.");
    case Control::edt_IImage:
        return N_("Name der ISO-Imagedatei.");
    case Control::edt_Imkisofs:
        return N_("Pfad des Programms mkisofs, welches das Image erstellt.");
    case Control::chb_IBurn:
        return N_("Das erstellte Image auf CD oder DVD brennen.");
    case Control::edt_ISpeed:
        return N_("Brenngeschwindigkeit.");
    case Control::edt_IBrenner:
        return N_("Brenner, auf welchen das Image geschrieben wird.");
    case Control::edt_KWeitere:
        return N_("Weitere Robocopy-Optionen, die das Fenster nicht darstellt. Sie werden unverändert und in dieser "
                  "Reihenfolge an Robocopy übergeben.");
    default:
        return nullptr;
    }
}

// A value field explains itself with its option's text.
Control BoxOfField(Control control) {
    switch (control) {
    case Control::edt_KLEV:
        return Control::chb_KLEV;
    case Control::edt_KR:
        return Control::chb_KR;
    case Control::edt_KDCOPY:
        return Control::chb_KDCOPY;
    case Control::edt_KMT:
        return Control::chb_KMT;
    case Control::edt_KW:
        return Control::chb_KW;
    case Control::edt_MIPG:
        return Control::chb_MIPG;
    case Control::edt_MMAXDEL:
        return Control::chb_MMAXDEL;
    case Control::edt_MMON:
        return Control::chb_MMON;
    case Control::edt_MMOT:
        return Control::chb_MMOT;
    default:
        return control;
    }
}

} // namespace

const char* HintText(Control control, HintMode mode) {
    if (mode == HintMode::Balloon && (control == Control::chb_FID || control == Control::chb_LUNICODE)) {
        return nullptr;
    }
    if (const char* own = OwnHint(control)) {
        return own;
    }
    const Control option = options::OptionOfLetter(control);
    if (option != control) {
        for (const options::Letter& letter : options::LettersOf(option)) {
            if (letter.box == control) {
                return AttributeLetterHint(static_cast<char>(letter.letter & ~0x20), control == Control::chb_KAplusN);
            }
        }
        return nullptr;
    }
    const options::OptionInfo* info = options::FindOption(BoxOfField(control));
    if (info == nullptr || info->commentKind == options::CommentKind::NameListSection) {
        return nullptr;
    }
    return info->comment;
}

} // namespace talvex::presentation
