// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/SwitchRegistry.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/services/AsciiCase.h"
#include "shared/RobocopySwitches.h"

namespace talvex::options {

namespace {

using A = ArgumentKind;
using C = Control;
using S = JobFileSection;

// Letter boxes in written order.
constexpr std::array kCopyLetters = {
    Letter{'D', C::chb_KCopyD}, Letter{'A', C::chb_KCopyA}, Letter{'T', C::chb_KCopyT},
    Letter{'S', C::chb_KCopyS}, Letter{'O', C::chb_KCopyO}, Letter{'U', C::chb_KCopyU},
};
constexpr std::array kAminusLetters = {
    Letter{'R', C::chb_KAminusR}, Letter{'A', C::chb_KAminusA}, Letter{'S', C::chb_KAminusS},
    Letter{'H', C::chb_KAminusH}, Letter{'N', C::chb_KAminusN}, Letter{'T', C::chb_KAminusT},
};
constexpr std::array kAplusLetters = {
    Letter{'R', C::chb_KAplusR}, Letter{'A', C::chb_KAplusA}, Letter{'S', C::chb_KAplusS},
    Letter{'H', C::chb_KAplusH}, Letter{'N', C::chb_KAplusN}, Letter{'T', C::chb_KAplusT},
};
constexpr std::array kIaLetters = {
    Letter{'R', C::chb_FIAr}, Letter{'A', C::chb_FIAa}, Letter{'S', C::chb_FIAs},
    Letter{'H', C::chb_FIAh}, Letter{'C', C::chb_FIAc}, Letter{'N', C::chb_FIAn},
    Letter{'E', C::chb_FIAe}, Letter{'T', C::chb_FIAt}, Letter{'O', C::chb_FIAo},
};
constexpr std::array kXaLetters = {
    Letter{'R', C::chb_FXAr}, Letter{'A', C::chb_FXAa}, Letter{'S', C::chb_FXAs},
    Letter{'H', C::chb_FXAh}, Letter{'C', C::chb_FXAc}, Letter{'N', C::chb_FXAn},
    Letter{'E', C::chb_FXAe}, Letter{'T', C::chb_FXAt}, Letter{'O', C::chb_FXAo},
};

// Argument fields.
constexpr std::array k_edt_PSD = {C::edt_PSD};
constexpr std::array k_edt_PDD = {C::edt_PDD};
constexpr std::array k_edt_KLEV = {C::edt_KLEV};
constexpr std::array k_edt_KDCOPY = {C::edt_KDCOPY};
constexpr std::array k_edt_KMT = {C::edt_KMT};
constexpr std::array k_edt_KR = {C::edt_KR};
constexpr std::array k_edt_KW = {C::edt_KW};
constexpr std::array k_edt_FMAX = {C::edt_FMAX};
constexpr std::array k_edt_FMIN = {C::edt_FMIN};
constexpr std::array k_edt_LLOG = {C::edt_LLOG};
constexpr std::array k_edt_MMON = {C::edt_MMON};
constexpr std::array k_edt_MMOT = {C::edt_MMOT};
constexpr std::array k_edt_MIPG = {C::edt_MIPG};
constexpr std::array k_MRH = {C::edt_MRH1, C::edt_MRH2};
constexpr std::array k_edt_MMAXDEL = {C::edt_MMAXDEL};

// The registry. Adding a switch the job holds is one row here (plus its control and, for the engine,
// its behaviour). The comments are the German texts the job file writer puts behind each option
// (translated when used); for /LEV, /A+ and /XA they are the box's standard hint text. The line
// bodies keep robocopy's own column layout: the switch in a field of nine characters, then the
// comment; lines with a value break the field, and their spacing is part of the format.
constexpr auto kOptions = std::to_array<OptionInfo>({
    {.box = C::chb_PNoSD,
     .switchName = "/NOSD",
     .argument = A::Path,
     .section = S::Source,
     .fileLine = "/NOSD    :: %s",
     .unsetSwitch = "/SD",
     .fields = k_edt_PSD,
     .comment = N_("In der Jobdatei wird kein Quellverzeichnis angegeben. Dies muss dann in der Befehlszeile angegeben "
                   "werden.")},

    {.box = C::chb_PNoDD,
     .switchName = "/NODD",
     .argument = A::Path,
     .section = S::Destination,
     .fileLine = "/NODD    :: %s",
     .unsetSwitch = "/DD",
     .fields = k_edt_PDD,
     .comment = N_(
         "In der Jobdatei wird kein Zielverzeichnis angegeben. Dies muss dann in der Befehlszeile angegeben werden.")},

    {.box = C::chb_KS,
     .switchName = "/S",
     .section = S::Copy,
     .fileLine = "/S       :: %s",
     .comment = N_("Kopieren aller Unterverzeichnisse mit Ausnahme der leeren.")},
    {.box = C::chb_KE,
     .switchName = "/E",
     .section = S::Copy,
     .fileLine = "/E       :: %s",
     .comment = N_("Kopieren aller Unterverzeichnisse einschließlich der leeren.")},
    {.box = C::chb_KM,
     .switchName = "/M",
     .section = S::Copy,
     .fileLine = "/M       :: %s",
     .comment =
         N_("Kopieren aller Dateien mit gesetzten Archivbit und Zurücksetzen des Archivbits in der Quelldatei.")},
    {.box = C::chb_KZ,
     .switchName = "/Z",
     .section = S::Copy,
     .fileLine = "/Z       :: %s",
     .comment =
         N_("Kopieren der Dateien im restartable mode (Heißt bei einem Neustart wird der Kopierprozess an der Stelle "
            "des Fehlers fortgesetzt).")},
    {.box = C::chb_KAminus,
     .switchName = "/A-",
     .argument = A::Letters,
     .section = S::Copy,
     .fileLine = "/A-:%s :: %s",
     .letters = kAminusLetters,
     .comment = N_("Bei den kopierten Dateien zu entfernende Attribute:")},
    {.box = C::chb_KSEC,
     .switchName = "/SEC",
     .section = S::Copy,
     .fileLine = "/SEC     :: %s",
     .comment = N_("Kopieren der NTFS Sicherheitsinformationen.")},
    {.box = C::chb_KMOV,
     .switchName = "/MOV",
     .section = S::Copy,
     .fileLine = "/MOV     :: %s",
     .comment = N_("Dateien verschieben (Quelldateien werden nach dem Kopieren gelöscht).")},
    {.box = C::chb_KA,
     .switchName = "/A",
     .section = S::Copy,
     .fileLine = "/A       :: %s",
     .comment = N_("Nur Dateien mit gesetztem Archivbit kopieren.")},
    {.box = C::chb_KB,
     .switchName = "/B",
     .section = S::Copy,
     .fileLine = "/B       :: %s",
     .comment = N_("Dateien werden im backup mode kopiert.")},
    {.box = C::chb_KCopyAll,
     .switchName = "/COPYALL",
     .section = S::Copy,
     .fileLine = "/COPYALL :: %s",
     .comment = N_("Alle Dateiinformationen kopieren (entspricht/COPY:DATSOU).")},
    {.box = C::chb_KNOCOPY,
     .switchName = "/NOCOPY",
     .section = S::Copy,
     .fileLine = "/NOCOPY  :: %s",
     .comment = N_("Keine Dateiinfomationen mitkopieren.")},
    {.box = C::chb_KMIR,
     .switchName = "/MIR",
     .section = S::Copy,
     .fileLine = "/MIR     :: %s",
     .comment = N_("Synchronisieren/Spiegeln eines Verzeichnisbaumes (entspricht /E und /PURGE).")},
    {.box = C::chb_KZB,
     .switchName = "/ZB",
     .section = S::Copy,
     .fileLine = "/ZB      :: %s",
     .comment =
         N_("Verzeichnisstruktur wird im restartable mode kopiert, bei Auftreten einer Zugriffsverweigerung wird "
            "automatisch in den Backup mode gewechselt.")},
    {.box = C::chb_KAplus,
     .switchName = "/A+",
     .argument = A::Letters,
     .section = S::Copy,
     .fileLine = "/A+:%s :: %s",
     .letters = kAplusLetters,
     .comment = N_("Bei den kopierten Dateien zu setzende Attribute."),
     .commentKind = CommentKind::Hint},
    {.box = C::chb_KCREATE,
     .switchName = "/CREATE",
     .section = S::Copy,
     .fileLine = "/CREATE  :: %s",
     .comment = N_("Erstellen einer Verzeichnisstruktur mit leeren Dateien (Größe 0 Byte).")},
    {.box = C::chb_KPURGE,
     .switchName = "/PURGE",
     .section = S::Copy,
     .fileLine = "/PURGE   :: %s",
     .comment = N_("Dateien im Zielverzeichnis löschen welche im Quellverzeichnis nicht mehr existieren.")},
    {.box = C::chb_KMOVE,
     .switchName = "/MOVE",
     .section = S::Copy,
     .fileLine = "/MOVE    :: %s",
     .comment = N_("Dateien und Verzeichnisse verschieben (Quelldateien und -verzeichnisse werden nach dem Kopieren "
                   "gelöscht).")},
    {.box = C::chb_KFAT,
     .switchName = "/FAT",
     .section = S::Copy,
     .fileLine = "/FAT     :: %s",
     .comment = N_("Die Dateien werden nur mit 8.3 FAT Dateinamen gespeichert.")},
    {.box = C::chb_KCopy,
     .switchName = "/COPY",
     .argument = A::Letters,
     .section = S::Copy,
     .fileLine = "/COPY:%s :: %s",
     .letters = kCopyLetters,
     .comment = N_("Zu kopierende Dateiinformationen.")},
    {.box = C::chb_KDCOPY,
     .switchName = "/DCOPY",
     .argument = A::FixedText,
     .section = S::Copy,
     .fileLine = "/DCOPY:%s :: %s",
     .fixedText = "T",
     .fields = k_edt_KDCOPY,
     .comment = N_("Zu kopierende Verzeichnisinformationen. Nur Zeitstempel (T).")},
    {.box = C::chb_KFFT,
     .switchName = "/FFT",
     .section = S::Copy,
     .fileLine = "/FFT     :: %s",
     .comment = N_("FAT Dateizeiten verwenden (2 Sekunden Teilung).")},
    {.box = C::chb_KLEV,
     .switchName = "/LEV",
     .argument = A::NumberAsTyped,
     .section = S::Copy,
     .fileLine = "/LEV:%s  :: %s",
     .fields = k_edt_KLEV,
     .comment = N_("Zu kopierende Verzeichnistiefe."),
     .commentKind = CommentKind::Hint},
    {.box = C::chb_KMT,
     .switchName = "/MT",
     .argument = A::Number,
     .section = S::Copy,
     .fileLine = "/MT:%s  :: %s",
     .fields = k_edt_KMT,
     .comment = N_("Anzahl der Dateien, die gleichzeitig kopiert werden (1 bis 128, Voreinstellung 8).")},

    {.box = C::chb_KR,
     .switchName = "/R",
     .argument = A::PaddedNumber,
     .section = S::Retry,
     .fileLine = "/R:%s :: %s",
     .fields = k_edt_KR,
     .comment = N_("Anzahl der Kopierversuche wenn ein Fehler auftritt. Voreinstellung eine Milllion.")},
    {.box = C::chb_KW,
     .switchName = "/W",
     .argument = A::PaddedNumber,
     .section = S::Retry,
     .fileLine = "/W:%s :: %s",
     .fields = k_edt_KW,
     .comment = N_("Wartezeit bis ein neuer Kopierversuch unternommen wird. Voreinstellung sind 30 s.")},

    {.box = C::chb_FIS,
     .switchName = "/IS",
     .section = S::Include,
     .fileLine = "/IS      :: %s",
     .comment = N_("Gleiche Dateien einschliessen.")},
    {.box = C::chb_FIT,
     .switchName = "/IT",
     .section = S::Include,
     .fileLine = "/IT      :: %s",
     .comment = N_("Einschliesslich Tweaked Dateien. Dateien, welche in Quelle und Ziel vorkommen und sich nur in den "
                   "Attributen unterscheiden.")},
    {.box = C::chb_FIA,
     .switchName = "/IA",
     .argument = A::Letters,
     .section = S::Include,
     .fileLine = "/IA:%s  :: %s",
     .letters = kIaLetters,
     .comment = N_("Nur Dateien berücksichtigen bei denen eines der Attribute gesetzt ist.")},

    {.box = C::chb_FXJ,
     .switchName = "/XJ",
     .section = S::Exclude,
     .fileLine = "/XJ      :: %s",
     .comment = N_("Junctions ausschliessen.")},
    {.box = C::chb_FXJD,
     .switchName = "/XJD",
     .section = S::Exclude,
     .fileLine = "/XJD     :: %s",
     .comment = N_("Junctions für Verzeichnisse ausschliessen.")},
    {.box = C::chb_FXJF,
     .switchName = "/XJF",
     .section = S::Exclude,
     .fileLine = "/XJF     :: %s",
     .comment = N_("Junctions für Dateien ausschliessen.")},
    {.box = C::chb_FXC,
     .switchName = "/XC",
     .section = S::Exclude,
     .fileLine = "/XC      :: %s",
     .comment = N_("Geänderte Dateien ausschliessen.")},
    {.box = C::chb_FXN,
     .switchName = "/XN",
     .section = S::Exclude,
     .fileLine = "/XN      :: %s",
     .comment = N_("Neuere Dateien ausschliessen.")},
    {.box = C::chb_FXX,
     .switchName = "/XX",
     .section = S::Exclude,
     .fileLine = "/XX      :: %s",
     .comment = N_("Zusätzliche Dateien und Verzeichnisse ausschliessen.")},
    {.box = C::chb_FXL,
     .switchName = "/XL",
     .section = S::Exclude,
     .fileLine = "/XL      :: %s",
     .comment = N_("Leere Dateien und Verzeichnisse ausschliessen.")},
    {.box = C::chb_FXA,
     .switchName = "/XA",
     .argument = A::Letters,
     .section = S::Exclude,
     .fileLine = "/XA:%s :: %s",
     .letters = kXaLetters,
     .comment = N_("Keine Dateien berücksichtigen bei welchen eines der Atribute gesetzt ist:"),
     .commentKind = CommentKind::Hint},
    {.box = C::chb_FXO,
     .switchName = "/XO",
     .section = S::Exclude,
     .fileLine = "/XO      :: %s",
     .comment = N_("Ältere Dateien ausschliessen.")},
    {.box = C::chb_FMAX,
     .switchName = "/MAX",
     .argument = A::Number,
     .section = S::Exclude,
     .fileLine = "/MAX:%s  :: %s",
     .fields = k_edt_FMAX,
     .comment = N_("Dateien welche größer als die angegebene Größe sind ausschliessen.")},
    {.box = C::chb_FMIN,
     .switchName = "/MIN",
     .argument = A::Number,
     .section = S::Exclude,
     .fileLine = "/MIN:%s  :: %s",
     .fields = k_edt_FMIN,
     .comment = N_("Dateien welche kleiner als die angegebene Größe sind ausschliessen.")},

    {.box = C::chb_FIF,
     .switchName = "/IF",
     .argument = A::List,
     .section = S::NameLists,
     .comment = kNameListSectionTitle,
     .commentKind = CommentKind::NameListSection},
    {.box = C::chb_FXF,
     .switchName = "/XF",
     .argument = A::List,
     .section = S::NameLists,
     .comment = kNameListSectionTitle,
     .commentKind = CommentKind::NameListSection},
    {.box = C::chb_FID,
     .switchName = "/ID",
     .argument = A::List,
     .section = S::NameLists,
     .comment = kNameListSectionTitle,
     .commentKind = CommentKind::NameListSection},
    {.box = C::chb_FXD,
     .switchName = "/XD",
     .argument = A::List,
     .section = S::NameLists,
     .comment = kNameListSectionTitle,
     .commentKind = CommentKind::NameListSection},

    {.box = C::chb_LV,
     .switchName = "/V",
     .section = S::Log,
     .fileLine = "/V       :: %s",
     .comment = N_("Ausführliche Ausgabe, einschliesslich übersprungener Dateien.")},
    {.box = C::chb_LTS,
     .switchName = "/TS",
     .section = S::Log,
     .fileLine = "/TS      :: %s",
     .comment = N_("Zeitstempel der Quelldateien im Ausgabeprotokoll anzeigen.")},
    {.box = C::chb_LFP,
     .switchName = "/FP",
     .section = S::Log,
     .fileLine = "/FP      :: %s",
     .comment = N_("Vollen Pfad der Dateien in der Ausgabe angeben.")},
    {.box = C::chb_LNJH,
     .switchName = "/NJH",
     .section = S::Log,
     .fileLine = "/NJH     :: %s",
     .comment = N_("Keine Kopfzeilen in der Ausgabe.")},
    {.box = C::chb_LNJS,
     .switchName = "/NJS",
     .section = S::Log,
     .fileLine = "/NJS     :: %s",
     .comment = N_("Zusammenfassung in der Ausgabe unterdrücken.")},
    {.box = C::chb_LNP,
     .switchName = "/NP",
     .section = S::Log,
     .fileLine = "/NP      :: %s",
     .comment = N_("Fortschrittsanzeige ausschalten.")},
    {.box = C::chb_LETA,
     .switchName = "/ETA",
     .section = S::Log,
     .fileLine = "/ETA     :: %s",
     .comment = N_("Angeben, wann der Kopiervorgang voraussichtlich beendet ist.")},
    {.box = C::chb_LX,
     .switchName = "/X",
     .section = S::Log,
     .fileLine = "/X       :: %s",
     .comment = N_("Alle zusätzlichen Dateien anzeigen.")},
    {.box = C::chb_LNS,
     .switchName = "/NS",
     .section = S::Log,
     .fileLine = "/NS      :: %s",
     .comment = N_("Keine Datei- und Verzeichnisgrößen in der Ausgabe anzeigen.")},
    {.box = C::chb_LNC,
     .switchName = "/NC",
     .section = S::Log,
     .fileLine = "/NC      :: %s",
     .comment = N_("Keine Angabe von Dateiklassen in der Ausgabe.")},
    {.box = C::chb_LNDL,
     .switchName = "/NDL",
     .section = S::Log,
     .fileLine = "/NDL     :: %s",
     .comment = N_("Protokollierung der Verzeichnisnamen in der Ausgabe unterdrücken.")},
    {.box = C::chb_LNFL,
     .switchName = "/NFL",
     .section = S::Log,
     .fileLine = "/NFL     :: %s",
     .comment = N_("Protokollierung der Dateinnamen in der Ausgabe unterdrücken.")},
    {.box = C::chb_LL,
     .switchName = "/L",
     .section = S::Log,
     .fileLine = "/L       :: %s",
     .comment = N_("Nur Liste - Nicht Dateien kopieren, Zeitstempel ändern oder löschen.")},
    {.box = C::chb_LLOG,
     .switchName = "/LOG",
     .argument = A::File,
     .section = S::Log,
     .fileLine = "/LOG:%s  :: %s",
     .fields = k_edt_LLOG,
     .comment = N_("Ausgaben als Ansicode in Datei speichern (bestehende Datei überschreiben).")},
    {.box = C::chb_LLOGplus,
     .switchName = "/LOG+",
     .argument = A::File,
     .section = S::Log,
     .fileLine = "/LOG+:%s  :: %s",
     .fields = k_edt_LLOG,
     .comment = N_("Ausgaben als Ansicode an bestehende Logdatei anhängen.")},
    {.box = C::chb_LUNILOG,
     .switchName = "/UNILOG",
     .argument = A::File,
     .section = S::Log,
     .fileLine = "/UNILOG:%s  :: %s",
     .fields = k_edt_LLOG,
     .comment = N_("Ausgaben als Unicode in Datei speichern (bestehende Datei überschreiben).")},
    {.box = C::chb_LUNILOGPlus,
     .switchName = "/UNILOG+",
     .argument = A::File,
     .section = S::Log,
     .fileLine = "/UNILOG+:%s  :: %s",
     .fields = k_edt_LLOG,
     .comment = N_("Ausgaben als Unicode an bestehende Logdatei anhängen.")},
    {.box = C::chb_LUNICODE,
     .switchName = "/UNICODE",
     .section = S::Log,
     .fileLine = "/UNICODE :: %s",
     .comment = N_("Konsolenausgaben als Unicode.")},
    {.box = C::chb_LTEE,
     .switchName = "/TEE",
     .section = S::Log,
     .fileLine = "/TEE     :: %s",
     .comment = N_("Logausgaben werden auch in Konsolenfenster angezeigt.")},
    // Three blanks, not five: files written so are in use, and robocopy does not mind.
    {.box = C::chb_LTBD,
     .switchName = "/TBD",
     .section = S::Log,
     .fileLine = "/TBD   :: %s",
     .comment = N_("Warte auf Freigabename (retry error 67/Network Name not found error).")},

    {.box = C::chb_MMON,
     .switchName = "/MON",
     .argument = A::Number,
     .section = S::Monitor,
     .fileLine = "/MON:%s  :: %s",
     .fields = k_edt_MMON,
     .comment = N_("Quelle überwachen; starten wenn n Änderungen vorgenommen wurden.")},
    {.box = C::chb_MMOT,
     .switchName = "/MOT",
     .argument = A::Number,
     .section = S::Monitor,
     .fileLine = "/MOT:%s  :: %s",
     .fields = k_edt_MMOT,
     .comment = N_("Quelle überwachen; starten wenn m Minuten seit der Änderung vergangen sind.")},
    {.box = C::chb_MIPG,
     .switchName = "/IPG",
     .argument = A::Number,
     .section = S::Monitor,
     .fileLine = "/IPG:%s  :: %s",
     .fields = k_edt_MIPG,
     .comment = N_("Verzögerung in ms nach jeden kopierten 64-kB-Dateistück um Bandbreite zu sparen.")},
    {.box = C::chb_MPF,
     .switchName = "/PF",
     .section = S::Monitor,
     .fileLine = "/PF      :: %s",
     .comment = N_("Die Zeit je Datei (nicht je Durchgang) prüfen.")},
    {.box = C::chb_MRH,
     .switchName = "/RH",
     .argument = A::TimeRange,
     .section = S::Monitor,
     .fileLine = "/RH:%s-%s  :: %s",
     .fields = k_MRH,
     .comment = N_("Zeiten während welcher neue Kopiervorgänge gestartet werden.")},
    {.box = C::chb_MMAXDEL,
     .switchName = "/MAXDEL",
     .argument = A::Number,
     .section = S::Monitor,
     .fileLine = "/MAXDEL:%s  :: %s",
     .fields = k_edt_MMAXDEL,
     .comment = N_("Vor dem Löschen von mehr als n Dateien und Verzeichnissen abbrechen. Nur die mitgelieferte "
                   "Robocopy-Engine kennt diesen Schalter.")},
});

constexpr std::array kSectionTitles = {
    N_("Quellverzeichnis"),          N_("Zielverzeichnis"),          N_("Kopieroptionen"),  N_("Wiederholungsoptionen"),
    N_("Einzuschliessende Dateien"), N_("Auszuschließende Dateien"), kNameListSectionTitle, N_("Logoptionen"),
    N_("Überwachungsoptionen"),
};
static_assert(kSectionTitles.size() == kJobFileSections.size());

// Writers walk a section as one run of rows, so the rows keep the sections together and in order.
static_assert(std::is_sorted(kOptions.begin(), kOptions.end(),
                             [](const OptionInfo& a, const OptionInfo& b) { return a.section < b.section; }));

// The job-file line names the switch of its row (a typo there would write another option).
// The compile-time checks read best as one early return per rule.
constexpr bool LinesNameTheirSwitch() {
    // NOLINTNEXTLINE(readability-use-anyofallof)
    for (const OptionInfo& option : kOptions) {
        const std::string_view line = option.fileLine;
        const bool isList = option.argument == A::List;
        if (isList != line.empty()) {
            return false;
        }
        const std::size_t end = option.switchName.size();
        if (!isList &&
            (!line.starts_with(option.switchName) || line.size() <= end || (line[end] != ':' && line[end] != ' '))) {
            return false;
        }
        // The value (the fixed text unless the file gave other letters) follows the colon.
        if (option.argument == A::FixedText && (line[end] != ':' || !line.substr(end + 1).starts_with("%s"))) {
            return false;
        }
    }
    return true;
}
static_assert(LinesNameTheirSwitch());

// Whether the engine reads `switchName` with the argument form the writers give it.
constexpr bool EngineReads(std::string_view switchName, bool withValue, bool asList) {
    using robocopy::SwitchKind;
    const std::optional<SwitchKind> kind = robocopy::KnownSwitchKind(switchName.substr(1));
    if (!kind) {
        return false;
    }
    if (asList) {
        return *kind == SwitchKind::List;
    }
    if (withValue) {
        return *kind == SwitchKind::Value || *kind == SwitchKind::IgnoredValue;
    }
    return *kind == SwitchKind::Flag || *kind == SwitchKind::Ignored;
}

// Every switch a job file or command line of ours carries is one our own engine knows, taken
// in the same form; otherwise the program could offer a job the engine refuses.
constexpr bool EngineKnowsEverySwitch() {
    // NOLINTNEXTLINE(readability-use-anyofallof)
    for (const OptionInfo& option : kOptions) {
        const bool withValue = option.argument != A::Flag && option.argument != A::Path && option.argument != A::List;
        if (!EngineReads(option.switchName, withValue, option.argument == A::List)) {
            return false;
        }
        if (!option.unsetSwitch.empty() && !EngineReads(option.unsetSwitch, true, false)) {
            return false;
        }
    }
    return true;
}
static_assert(EngineKnowsEverySwitch());

} // namespace

std::span<const OptionInfo> Options() {
    return kOptions;
}

std::span<const OptionInfo> OptionsOf(JobFileSection section) {
    const auto inSection = [section](const OptionInfo& option) { return option.section == section; };
    const auto* first = std::find_if(kOptions.begin(), kOptions.end(), inSection);
    return {first, std::find_if_not(first, kOptions.end(), inSection)};
}

const char* SectionTitle(JobFileSection section) {
    return kSectionTitles.at(static_cast<std::size_t>(section));
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
