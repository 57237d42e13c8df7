// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/OptionCatalogue.h"

#include <algorithm>
#include <array>

#include "core/services/AsciiCase.h"
#include "core/services/Translate.h"

namespace talvex::options {

namespace {

// Per-control rows. The macros keep the enum value and its name in one place; a test checks that
// the rows run in enum order.
//                 control          tab       group                   ticked enabled readOnly text
#define TALVEX_BOX(id, tab, group, ticked, enabled)                                                                    \
    ControlInfo {                                                                                                      \
        Control::id, #id, ControlKind::CheckBox, Tab::tab, group, ticked, enabled, false, ""                           \
    }
#define TALVEX_LETTER(id, tab, group)                                                                                  \
    ControlInfo {                                                                                                      \
        Control::id, #id, ControlKind::LetterBox, Tab::tab, group, false, false, false, ""                             \
    }
#define TALVEX_EDIT(id, tab, group, enabled, readOnly, text)                                                           \
    ControlInfo {                                                                                                      \
        Control::id, #id, ControlKind::Edit, Tab::tab, group, false, enabled, readOnly, text                           \
    }
#define TALVEX_PATH(id, tab, group, enabled)                                                                           \
    ControlInfo {                                                                                                      \
        Control::id, #id, ControlKind::UnicodeEdit, Tab::tab, group, false, enabled, true, ""                          \
    }
#define TALVEX_LABEL(id, tab, group, enabled, text)                                                                    \
    ControlInfo {                                                                                                      \
        Control::id, #id, ControlKind::Label, Tab::tab, group, false, enabled, false, text                             \
    }
#define TALVEX_BUTTON(id, tab, group, enabled)                                                                         \
    ControlInfo {                                                                                                      \
        Control::id, #id, ControlKind::Button, Tab::tab, group, false, enabled, false, ""                              \
    }

// Fresh state: the "fresh" column and what the creation sequence leaves
// (its step 9 runs the value-field and letter handlers, so every dependent control starts disabled).
// The Image tab starts as `Reset` leaves it.
constexpr std::array<ControlInfo, kControlCount> kControls = {{
    TALVEX_BOX(chb_PNoSD, Pfade, "grb_Quelle", true, true),
    TALVEX_LABEL(lbl_SDE, Pfade, "grb_Quelle", true, kNoFileSystemLabel),
    TALVEX_BOX(chb_PNoDD, Pfade, "grb_Ziel", true, true),
    TALVEX_LABEL(lbl_DDE, Pfade, "grb_Ziel", true, kNoFileSystemLabel),

    TALVEX_BOX(chb_KB, Kopieren, "grb_Mode", false, true),
    TALVEX_BOX(chb_KZ, Kopieren, "grb_Mode", false, true),
    TALVEX_BOX(chb_KZB, Kopieren, "grb_Mode", false, true),

    TALVEX_BOX(chb_KA, Kopieren, "grb_Funktionen", false, true),
    TALVEX_BOX(chb_KM, Kopieren, "grb_Funktionen", false, true),
    TALVEX_BOX(chb_KMIR, Kopieren, "grb_Funktionen", false, true),
    TALVEX_BOX(chb_KS, Kopieren, "grb_Funktionen", false, true),
    TALVEX_BOX(chb_KE, Kopieren, "grb_Funktionen", false, true),
    TALVEX_BOX(chb_KCREATE, Kopieren, "grb_Funktionen", false, true),
    TALVEX_BOX(chb_KPURGE, Kopieren, "grb_Funktionen", false, true),
    TALVEX_BOX(chb_KMOV, Kopieren, "grb_Funktionen", false, true),
    TALVEX_BOX(chb_KMOVE, Kopieren, "grb_Funktionen", false, true),
    TALVEX_BOX(chb_KFFT, Kopieren, "grb_Funktionen", false, true),
    TALVEX_BOX(chb_KFAT, Kopieren, "grb_Funktionen", false, true),
    TALVEX_BOX(chb_KLEV, Kopieren, "grb_Funktionen", false, true),
    TALVEX_EDIT(edt_KLEV, Kopieren, "grb_Funktionen", false, false, "1"),

    TALVEX_BOX(chb_KCopyAll, Kopieren, "grb_Dateiinfo", false, true),
    TALVEX_BOX(chb_KNOCOPY, Kopieren, "grb_Dateiinfo", false, true),
    TALVEX_BOX(chb_KSEC, Kopieren, "grb_Dateiinfo", false, true),
    TALVEX_BOX(chb_KDCOPY, Kopieren, "grb_Dateiinfo", false, true),
    TALVEX_BOX(chb_KCopy, Kopieren, "grb_Dateiinfo", false, true),
    TALVEX_LETTER(chb_KCopyD, Kopieren, "grb_Dateiinfo"),
    TALVEX_LETTER(chb_KCopyA, Kopieren, "grb_Dateiinfo"),
    TALVEX_LETTER(chb_KCopyT, Kopieren, "grb_Dateiinfo"),
    TALVEX_LETTER(chb_KCopyS, Kopieren, "grb_Dateiinfo"),
    TALVEX_LETTER(chb_KCopyO, Kopieren, "grb_Dateiinfo"),
    TALVEX_LETTER(chb_KCopyU, Kopieren, "grb_Dateiinfo"),

    TALVEX_BOX(chb_KAminus, Kopieren, "grb_AAttribute", false, true),
    TALVEX_LETTER(chb_KAminusR, Kopieren, "grb_AAttribute"),
    TALVEX_LETTER(chb_KAminusA, Kopieren, "grb_AAttribute"),
    TALVEX_LETTER(chb_KAminusS, Kopieren, "grb_AAttribute"),
    TALVEX_LETTER(chb_KAminusH, Kopieren, "grb_AAttribute"),
    TALVEX_LETTER(chb_KAminusN, Kopieren, "grb_AAttribute"),
    TALVEX_LETTER(chb_KAminusT, Kopieren, "grb_AAttribute"),
    TALVEX_BOX(chb_KAplus, Kopieren, "grb_AAttribute", false, true),
    TALVEX_LETTER(chb_KAplusR, Kopieren, "grb_AAttribute"),
    TALVEX_LETTER(chb_KAplusA, Kopieren, "grb_AAttribute"),
    TALVEX_LETTER(chb_KAplusS, Kopieren, "grb_AAttribute"),
    TALVEX_LETTER(chb_KAplusH, Kopieren, "grb_AAttribute"),
    TALVEX_LETTER(chb_KAplusN, Kopieren, "grb_AAttribute"),
    TALVEX_LETTER(chb_KAplusT, Kopieren, "grb_AAttribute"),

    TALVEX_BOX(chb_KR, Kopieren, "grb_Retrys", false, true),
    TALVEX_EDIT(edt_KR, Kopieren, "grb_Retrys", false, false, "2"),
    TALVEX_BOX(chb_KW, Kopieren, "grb_Retrys", false, true),
    TALVEX_EDIT(edt_KW, Kopieren, "grb_Retrys", false, false, "10"),

    TALVEX_BOX(chb_FIS, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_BOX(chb_FIT, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_BOX(chb_FXJD, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_BOX(chb_FXJF, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_BOX(chb_FXJ, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_BOX(chb_FXC, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_BOX(chb_FXN, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_BOX(chb_FXO, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_BOX(chb_FXX, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_BOX(chb_FXL, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_BOX(chb_FMAX, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_EDIT(edt_FMAX, Filtern, "grb_Eigenschaften", false, false, "256"),
    TALVEX_LABEL(lbl_FMAX, Filtern, "grb_Eigenschaften", false, ""),
    TALVEX_BOX(chb_FMIN, Filtern, "grb_Eigenschaften", false, true),
    TALVEX_EDIT(edt_FMIN, Filtern, "grb_Eigenschaften", false, false, "256"),
    TALVEX_LABEL(lbl_FMIN, Filtern, "grb_Eigenschaften", false, ""),

    TALVEX_BOX(chb_FIA, Filtern, "grb_FAttribute", false, true),
    TALVEX_LETTER(chb_FIAr, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FIAa, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FIAs, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FIAh, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FIAc, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FIAn, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FIAe, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FIAt, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FIAo, Filtern, "grb_FAttribute"),
    TALVEX_BOX(chb_FXA, Filtern, "grb_FAttribute", false, true),
    TALVEX_LETTER(chb_FXAr, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FXAa, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FXAs, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FXAh, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FXAc, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FXAn, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FXAe, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FXAt, Filtern, "grb_FAttribute"),
    TALVEX_LETTER(chb_FXAo, Filtern, "grb_FAttribute"),

    // The panel is always disabled, so the indicator boxes on it cannot be clicked; their own
    // enabled state stays true, so IsOptionSet follows their tick.
    ControlInfo{Control::pnl_FEAN, "pnl_FEAN", ControlKind::Panel, Tab::Filtern, "grb_Namen", false, false, false, ""},
    TALVEX_BOX(chb_FIF, Filtern, "grb_Namen", false, true),
    TALVEX_BOX(chb_FID, Filtern, "grb_Namen", false, true),
    TALVEX_BOX(chb_FXF, Filtern, "grb_Namen", false, true),
    TALVEX_BOX(chb_FXD, Filtern, "grb_Namen", false, true),
    ControlInfo{Control::red_FListe, "red_FListe", ControlKind::RichText, Tab::Filtern, "grb_Namen", false, true, true,
                ""},

    TALVEX_BOX(chb_LV, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LTS, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LFP, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LNJH, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LETA, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LNC, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LNFL, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LNJS, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LX, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LNDL, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LL, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LNP, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LNS, Log, "grb_Ausgabe", false, true),
    TALVEX_BOX(chb_LUNICODE, Log, "grb_Ausgabe", false, true),
    // /TEE only together with a log file: disabled until one of the four is ticked.
    TALVEX_BOX(chb_LTEE, Log, "grb_Ausgabe", false, false),

    TALVEX_BOX(chb_LLOG, Log, "grb_Datei", false, true),
    TALVEX_BOX(chb_LLOGplus, Log, "grb_Datei", false, true),
    TALVEX_BOX(chb_LUNILOG, Log, "grb_Datei", false, true),
    TALVEX_BOX(chb_LUNILOGPlus, Log, "grb_Datei", false, true),
    TALVEX_EDIT(edt_LLOG, Log, "grb_Datei", true, false, ""),

    TALVEX_BOX(chb_LTBD, Log, "grb_Fehler", false, true),

    TALVEX_BOX(chb_MMON, Monitor, "grb_MUeberwachung", false, true),
    TALVEX_EDIT(edt_MMON, Monitor, "grb_MUeberwachung", false, false, "1"),
    TALVEX_BOX(chb_MMOT, Monitor, "grb_MUeberwachung", false, true),
    TALVEX_EDIT(edt_MMOT, Monitor, "grb_MUeberwachung", false, false, "1"),
    TALVEX_BOX(chb_MIPG, Monitor, "grb_MUeberwachung", false, true),
    TALVEX_EDIT(edt_MIPG, Monitor, "grb_MUeberwachung", false, false, "100"),
    TALVEX_BOX(chb_MPF, Monitor, "grb_MUeberwachung", false, true),
    TALVEX_BOX(chb_MRH, Monitor, "grb_MUeberwachung", false, true),
    TALVEX_EDIT(edt_MRH1, Monitor, "grb_MUeberwachung", false, false, "0000"),
    TALVEX_LABEL(lbl_MRH, Monitor, "grb_MUeberwachung", false, ""),
    TALVEX_EDIT(edt_MRH2, Monitor, "grb_MUeberwachung", false, false, "2359"),

    TALVEX_BOX(chb_IIMG, Image, "grb_IImage", false, true),
    TALVEX_BUTTON(sbu_IImage, Image, "grb_IImage", false),
    TALVEX_EDIT(edt_Imkisofs, Image, "grb_IImage", false, false, kMkisofsPlaceholder),
    TALVEX_BOX(chb_IBurn, Image, "grb_IBrennen", false, false),
    TALVEX_BUTTON(sbu_ISpeed, Image, "grb_IBrennen", false),
    TALVEX_EDIT(edt_ISpeed, Image, "grb_IBrennen", false, true, ""),
    TALVEX_LABEL(lbl_ISpeed, Image, "grb_IBrennen", false, ""),
    TALVEX_BUTTON(sbu_IBrenner, Image, "grb_IBrennen", false),
    TALVEX_EDIT(edt_IBrenner, Image, "grb_IBrennen", false, true, ""),

    TALVEX_PATH(edt_PSD, Pfade, "grb_Quelle", true),
    TALVEX_PATH(edt_PDD, Pfade, "grb_Ziel", true),
    // Enabled only while chb_IIMG is ticked.
    TALVEX_PATH(edt_IImage, Image, "grb_IImage", false),
}};

#undef TALVEX_BOX
#undef TALVEX_LETTER
#undef TALVEX_EDIT
#undef TALVEX_PATH
#undef TALVEX_LABEL
#undef TALVEX_BUTTON

// Letter boxes in written order.
constexpr std::array kCopyLetters = {
    Letter{'D', Control::chb_KCopyD}, Letter{'A', Control::chb_KCopyA}, Letter{'T', Control::chb_KCopyT},
    Letter{'S', Control::chb_KCopyS}, Letter{'O', Control::chb_KCopyO}, Letter{'U', Control::chb_KCopyU},
};
constexpr std::array kAminusLetters = {
    Letter{'R', Control::chb_KAminusR}, Letter{'A', Control::chb_KAminusA}, Letter{'S', Control::chb_KAminusS},
    Letter{'H', Control::chb_KAminusH}, Letter{'N', Control::chb_KAminusN}, Letter{'T', Control::chb_KAminusT},
};
constexpr std::array kAplusLetters = {
    Letter{'R', Control::chb_KAplusR}, Letter{'A', Control::chb_KAplusA}, Letter{'S', Control::chb_KAplusS},
    Letter{'H', Control::chb_KAplusH}, Letter{'N', Control::chb_KAplusN}, Letter{'T', Control::chb_KAplusT},
};
constexpr std::array kIaLetters = {
    Letter{'R', Control::chb_FIAr}, Letter{'A', Control::chb_FIAa}, Letter{'S', Control::chb_FIAs},
    Letter{'H', Control::chb_FIAh}, Letter{'C', Control::chb_FIAc}, Letter{'N', Control::chb_FIAn},
    Letter{'E', Control::chb_FIAe}, Letter{'T', Control::chb_FIAt}, Letter{'O', Control::chb_FIAo},
};
constexpr std::array kXaLetters = {
    Letter{'R', Control::chb_FXAr}, Letter{'A', Control::chb_FXAa}, Letter{'S', Control::chb_FXAs},
    Letter{'H', Control::chb_FXAh}, Letter{'C', Control::chb_FXAc}, Letter{'N', Control::chb_FXAn},
    Letter{'E', Control::chb_FXAe}, Letter{'T', Control::chb_FXAt}, Letter{'O', Control::chb_FXAo},
};

// Argument fields.
constexpr std::array k_edt_PSD = {Control::edt_PSD};
constexpr std::array k_edt_PDD = {Control::edt_PDD};
constexpr std::array k_edt_KLEV = {Control::edt_KLEV};
constexpr std::array k_edt_KR = {Control::edt_KR};
constexpr std::array k_edt_KW = {Control::edt_KW};
constexpr std::array k_edt_FMAX = {Control::edt_FMAX};
constexpr std::array k_edt_FMIN = {Control::edt_FMIN};
constexpr std::array k_edt_LLOG = {Control::edt_LLOG};
constexpr std::array k_edt_MMON = {Control::edt_MMON};
constexpr std::array k_edt_MMOT = {Control::edt_MMOT};
constexpr std::array k_edt_MIPG = {Control::edt_MIPG};
constexpr std::array k_MRH = {Control::edt_MRH1, Control::edt_MRH2};

constexpr OptionInfo Opt(Control box, std::string_view switchName, std::string_view fixedText,
                         std::string_view unsetSwitch, ArgumentKind argument, std::span<const Control> fields,
                         std::span<const Letter> letters, ResetTick resetTick, bool resetDisabled, const char* comment,
                         CommentKind commentKind) {
    return OptionInfo{box,     switchName, fixedText,     unsetSwitch, argument,   fields,
                      letters, resetTick,  resetDisabled, comment,     commentKind};
}

// The catalogue in its table order. The comments are the German texts the job file
// writer puts behind each option (translated when used); for /LEV, /A+ and /XA the design takes the
// box's standard hint text.
constexpr std::array kOptions = {
    Opt(Control::chb_PNoSD, "/NOSD", "", "/SD", ArgumentKind::Path, k_edt_PSD, {}, ResetTick::TickedWhenPathWasEmpty,
        false,
        N_("In der Jobdatei wird kein Quellverzeichnis angegeben. Dies muss dann in der Befehlszeile angegeben "
           "werden."),
        CommentKind::Description),
    Opt(Control::chb_PNoDD, "/NODD", "", "/DD", ArgumentKind::Path, k_edt_PDD, {}, ResetTick::TickedWhenPathWasEmpty,
        false,
        N_("In der Jobdatei wird kein Zielverzeichnis angegeben. Dies muss dann in der Befehlszeile angegeben werden."),
        CommentKind::Description),
    Opt(Control::chb_KS, "/S", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Kopieren aller Unterverzeichnisse mit Ausnahme der leeren."), CommentKind::Description),
    Opt(Control::chb_KE, "/E", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Kopieren aller Unterverzeichnisse einschließlich der leeren."), CommentKind::Description),
    Opt(Control::chb_KMIR, "/MIR", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Synchronisieren/Spiegeln eines Verzeichnisbaumes (entspricht /E und /PURGE)."), CommentKind::Description),
    Opt(Control::chb_KPURGE, "/PURGE", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Dateien im Zielverzeichnis löschen welche im Quellverzeichnis nicht mehr existieren."),
        CommentKind::Description),
    Opt(Control::chb_KCREATE, "/CREATE", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Erstellen einer Verzeichnisstruktur mit leeren Dateien (Größe 0 Byte)."), CommentKind::Description),
    Opt(Control::chb_KM, "/M", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Kopieren aller Dateien mit gesetzten Archivbit und Zurücksetzen des Archivbits in der Quelldatei."),
        CommentKind::Description),
    Opt(Control::chb_KA, "/A", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Nur Dateien mit gesetztem Archivbit kopieren."), CommentKind::Description),
    Opt(Control::chb_KFAT, "/FAT", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Die Dateien werden nur mit 8.3 FAT Dateinamen gespeichert."), CommentKind::Description),
    Opt(Control::chb_KFFT, "/FFT", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("FAT Dateizeiten verwenden (2 Sekunden Teilung)."), CommentKind::Description),
    Opt(Control::chb_KLEV, "/LEV", "", "", ArgumentKind::Number, k_edt_KLEV, {}, ResetTick::Unticked, false,
        N_("Zu kopierende Verzeichnistiefe."), CommentKind::Hint),
    Opt(Control::chb_KMOV, "/MOV", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Dateien verschieben (Quelldateien werden nach dem Kopieren gelöscht)."), CommentKind::Description),
    Opt(Control::chb_KMOVE, "/MOVE", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Dateien und Verzeichnisse verschieben (Quelldateien und -verzeichnisse werden nach dem Kopieren "
           "gelöscht)."),
        CommentKind::Description),
    Opt(Control::chb_KB, "/B", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Dateien werden im backup mode kopiert."), CommentKind::Description),
    Opt(Control::chb_KZ, "/Z", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Kopieren der Dateien im restartable mode (Heißt bei einem Neustart wird der Kopierprozess an der Stelle "
           "des Fehlers fortgesetzt)."),
        CommentKind::Description),
    Opt(Control::chb_KZB, "/ZB", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Verzeichnisstruktur wird im restartable mode kopiert, bei Auftreten einer Zugriffsverweigerung wird "
           "automatisch in den Backup mode gewechselt."),
        CommentKind::Description),
    Opt(Control::chb_KCopyAll, "/COPYALL", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Alle Dateiinformationen kopieren (entspricht/COPY:DATSOU)."), CommentKind::Description),
    Opt(Control::chb_KCopy, "/COPY", "", "", ArgumentKind::Letters, {}, kCopyLetters, ResetTick::Unticked, false,
        N_("Zu kopierende Dateiinformationen."), CommentKind::Description),
    Opt(Control::chb_KNOCOPY, "/NOCOPY", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Keine Dateiinfomationen mitkopieren."), CommentKind::Description),
    Opt(Control::chb_KSEC, "/SEC", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Kopieren der NTFS Sicherheitsinformationen."), CommentKind::Description),
    Opt(Control::chb_KDCOPY, "/DCOPY", "T", "", ArgumentKind::FixedText, {}, {}, ResetTick::Unticked, false,
        N_("Zu kopierende Verzeichnisinformationen. Nur Zeitstempel (T)."), CommentKind::Description),
    Opt(Control::chb_KAminus, "/A-", "", "", ArgumentKind::Letters, {}, kAminusLetters, ResetTick::Unticked, false,
        N_("Bei den kopierten Dateien zu entfernende Attribute:"), CommentKind::Description),
    Opt(Control::chb_KAplus, "/A+", "", "", ArgumentKind::Letters, {}, kAplusLetters, ResetTick::Unticked, false,
        N_("Bei den kopierten Dateien zu setzende Attribute."), CommentKind::Hint),
    Opt(Control::chb_KR, "/R", "", "", ArgumentKind::Number, k_edt_KR, {}, ResetTick::Ticked, false,
        N_("Anzahl der Kopierversuche wenn ein Fehler auftritt. Voreinstellung eine Milllion."),
        CommentKind::Description),
    Opt(Control::chb_KW, "/W", "", "", ArgumentKind::Number, k_edt_KW, {}, ResetTick::Ticked, false,
        N_("Wartezeit bis ein neuer Kopierversuch unternommen wird. Voreinstellung sind 30 s."),
        CommentKind::Description),
    Opt(Control::chb_FIA, "/IA", "", "", ArgumentKind::Letters, {}, kIaLetters, ResetTick::Unticked, false,
        N_("Nur Dateien berücksichtigen bei denen eines der Attribute gesetzt ist."), CommentKind::Description),
    Opt(Control::chb_FXA, "/XA", "", "", ArgumentKind::Letters, {}, kXaLetters, ResetTick::Unticked, false,
        N_("Keine Dateien berücksichtigen bei welchen eines der Atribute gesetzt ist:"), CommentKind::Hint),
    Opt(Control::chb_FIS, "/IS", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Gleiche Dateien einschliessen."), CommentKind::Description),
    Opt(Control::chb_FIT, "/IT", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Einschliesslich Tweaked Dateien. Dateien, welche in Quelle und Ziel vorkommen und sich nur in den "
           "Attributen unterscheiden."),
        CommentKind::Description),
    Opt(Control::chb_FXJ, "/XJ", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Junctions ausschliessen."), CommentKind::Description),
    Opt(Control::chb_FXJD, "/XJD", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Junctions für Verzeichnisse ausschliessen."), CommentKind::Description),
    Opt(Control::chb_FXJF, "/XJF", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Junctions für Dateien ausschliessen."), CommentKind::Description),
    Opt(Control::chb_FXC, "/XC", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Geänderte Dateien ausschliessen."), CommentKind::Description),
    Opt(Control::chb_FXN, "/XN", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Neuere Dateien ausschliessen."), CommentKind::Description),
    Opt(Control::chb_FXO, "/XO", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Ältere Dateien ausschliessen."), CommentKind::Description),
    Opt(Control::chb_FXX, "/XX", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Zusätzliche Dateien und Verzeichnisse ausschliessen."), CommentKind::Description),
    Opt(Control::chb_FXL, "/XL", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Leere Dateien und Verzeichnisse ausschliessen."), CommentKind::Description),
    Opt(Control::chb_FMAX, "/MAX", "", "", ArgumentKind::Number, k_edt_FMAX, {}, ResetTick::Unticked, false,
        N_("Dateien welche größer als die angegebene Größe sind ausschliessen."), CommentKind::Description),
    Opt(Control::chb_FMIN, "/MIN", "", "", ArgumentKind::Number, k_edt_FMIN, {}, ResetTick::Unticked, false,
        N_("Dateien welche kleiner als die angegebene Größe sind ausschliessen."), CommentKind::Description),
    Opt(Control::chb_FIF, "/IF", "", "", ArgumentKind::List, {}, {}, ResetTick::Unticked, false, kNameListSectionTitle,
        CommentKind::NameListSection),
    Opt(Control::chb_FXF, "/XF", "", "", ArgumentKind::List, {}, {}, ResetTick::Unticked, false, kNameListSectionTitle,
        CommentKind::NameListSection),
    Opt(Control::chb_FID, "/ID", "", "", ArgumentKind::List, {}, {}, ResetTick::Unticked, false, kNameListSectionTitle,
        CommentKind::NameListSection),
    Opt(Control::chb_FXD, "/XD", "", "", ArgumentKind::List, {}, {}, ResetTick::Unticked, false, kNameListSectionTitle,
        CommentKind::NameListSection),
    Opt(Control::chb_LLOG, "/LOG", "", "", ArgumentKind::File, k_edt_LLOG, {}, ResetTick::Unticked, false,
        N_("Ausgaben als Ansicode in Datei speichern (bestehende Datei überschreiben)."), CommentKind::Description),
    Opt(Control::chb_LLOGplus, "/LOG+", "", "", ArgumentKind::File, k_edt_LLOG, {}, ResetTick::Unticked, false,
        N_("Ausgaben als Ansicode an bestehende Logdatei anhängen."), CommentKind::Description),
    Opt(Control::chb_LUNILOG, "/UNILOG", "", "", ArgumentKind::File, k_edt_LLOG, {}, ResetTick::Unticked, false,
        N_("Ausgaben als Unicode in Datei speichern (bestehende Datei überschreiben)."), CommentKind::Description),
    Opt(Control::chb_LUNILOGPlus, "/UNILOG+", "", "", ArgumentKind::File, k_edt_LLOG, {}, ResetTick::Unticked, false,
        N_("Ausgaben als Unicode an bestehende Logdatei anhängen."), CommentKind::Description),
    Opt(Control::chb_LV, "/V", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Ausführliche Ausgabe, einschliesslich übersprungener Dateien."), CommentKind::Description),
    Opt(Control::chb_LTS, "/TS", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Zeitstempel der Quelldateien im Ausgabeprotokoll anzeigen."), CommentKind::Description),
    Opt(Control::chb_LFP, "/FP", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Vollen Pfad der Dateien in der Ausgabe angeben."), CommentKind::Description),
    Opt(Control::chb_LNJH, "/NJH", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Keine Kopfzeilen in der Ausgabe."), CommentKind::Description),
    Opt(Control::chb_LNJS, "/NJS", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Zusammenfassung in der Ausgabe unterdrücken."), CommentKind::Description),
    Opt(Control::chb_LNP, "/NP", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Fortschrittsanzeige ausschalten."), CommentKind::Description),
    Opt(Control::chb_LETA, "/ETA", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Angeben, wann der Kopiervorgang voraussichtlich beendet ist."), CommentKind::Description),
    Opt(Control::chb_LX, "/X", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Alle zusätzlichen Dateien anzeigen."), CommentKind::Description),
    Opt(Control::chb_LNS, "/NS", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Keine Datei- und Verzeichnisgrößen in der Ausgabe anzeigen."), CommentKind::Description),
    Opt(Control::chb_LNC, "/NC", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Keine Angabe von Dateiklassen in der Ausgabe."), CommentKind::Description),
    Opt(Control::chb_LNDL, "/NDL", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Protokollierung der Verzeichnisnamen in der Ausgabe unterdrücken."), CommentKind::Description),
    Opt(Control::chb_LNFL, "/NFL", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Protokollierung der Dateinnamen in der Ausgabe unterdrücken."), CommentKind::Description),
    Opt(Control::chb_LL, "/L", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Nur Liste - Nicht Dateien kopieren, Zeitstempel ändern oder löschen."), CommentKind::Description),
    Opt(Control::chb_LUNICODE, "/UNICODE", "", "", ArgumentKind::Flag, {}, {}, ResetTick::TickedWhenUnicodeNeeded,
        false, N_("Konsolenausgaben als Unicode."), CommentKind::Description),
    Opt(Control::chb_LTEE, "/TEE", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, true,
        N_("Logausgaben werden auch in Konsolenfenster angezeigt."), CommentKind::Description),
    Opt(Control::chb_LTBD, "/TBD", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Warte auf Freigabename (retry error 67/Network Name not found error)."), CommentKind::Description),
    Opt(Control::chb_MMON, "/MON", "", "", ArgumentKind::Number, k_edt_MMON, {}, ResetTick::Unticked, false,
        N_("Quelle überwachen; starten wenn n Änderungen vorgenommen wurden."), CommentKind::Description),
    Opt(Control::chb_MMOT, "/MOT", "", "", ArgumentKind::Number, k_edt_MMOT, {}, ResetTick::Unticked, false,
        N_("Quelle überwachen; starten wenn m Minuten seit der Änderung vergangen sind."), CommentKind::Description),
    Opt(Control::chb_MIPG, "/IPG", "", "", ArgumentKind::Number, k_edt_MIPG, {}, ResetTick::Unticked, false,
        N_("Verzögerung in ms nach jeden kopierten 64-kB-Dateistück um Bandbreite zu sparen."),
        CommentKind::Description),
    Opt(Control::chb_MPF, "/PF", "", "", ArgumentKind::Flag, {}, {}, ResetTick::Unticked, false,
        N_("Die Zeit je Datei (nicht je Durchgang) prüfen."), CommentKind::Description),
    Opt(Control::chb_MRH, "/RH", "", "", ArgumentKind::TimeRange, k_MRH, {}, ResetTick::Unticked, false,
        N_("Zeiten während welcher neue Kopiervorgänge gestartet werden."), CommentKind::Description),
};

} // namespace

std::span<const ControlInfo> Controls() {
    return kControls;
}

const ControlInfo& InfoOf(Control control) {
    return kControls.at(ToIndex(control));
}

std::string_view ControlName(Control control) {
    return InfoOf(control).name;
}

std::optional<Control> FindControl(std::string_view name) {
    for (const auto& info : kControls) {
        if (info.name == name) {
            return info.control;
        }
    }
    return std::nullopt;
}

ControlKind KindOf(Control control) {
    return InfoOf(control).kind;
}

bool IsBox(Control control) {
    const ControlKind kind = KindOf(control);
    return kind == ControlKind::CheckBox || kind == ControlKind::LetterBox;
}

bool HasText(Control control) {
    switch (KindOf(control)) {
    case ControlKind::Edit:
    case ControlKind::UnicodeEdit:
    case ControlKind::Label:
    case ControlKind::RichText:
        return true;
    case ControlKind::CheckBox:
    case ControlKind::LetterBox:
    case ControlKind::Button:
    case ControlKind::Panel:
        break;
    }
    return false;
}

std::span<const OptionInfo> Options() {
    return kOptions;
}

const OptionInfo* FindOption(Control box) {
    for (const auto& option : kOptions) {
        if (option.box == box) {
            return &option;
        }
    }
    return nullptr;
}

const OptionInfo* FindOptionBySwitch(std::string_view switchName) {
    for (const auto& option : kOptions) {
        if (EqualsIgnoringAsciiCase(option.switchName, switchName)) {
            return &option;
        }
    }
    return nullptr;
}

std::string TranslatedComment(const OptionInfo& option) {
    return tr(option.comment);
}

std::span<const Letter> LettersOf(Control optionBox) {
    const OptionInfo* option = FindOption(optionBox);
    return option != nullptr ? option->letters : std::span<const Letter>{};
}

Control OptionOfLetter(Control letterBox) {
    for (const auto& option : kOptions) {
        for (const Letter& letter : option.letters) {
            if (letter.box == letterBox) {
                return option.box;
            }
        }
    }
    return letterBox;
}

} // namespace talvex::options
