// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/OptionCatalogue.h"

#include <array>

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
    TALVEX_EDIT(edt_KDCOPY, Kopieren, "grb_Dateiinfo", false, false, ""),
    TALVEX_BOX(chb_KCopy, Kopieren, "grb_Dateiinfo", false, true),
    TALVEX_LETTER(chb_KCopyD, Kopieren, "grb_Dateiinfo"),
    TALVEX_LETTER(chb_KCopyA, Kopieren, "grb_Dateiinfo"),
    TALVEX_LETTER(chb_KCopyT, Kopieren, "grb_Dateiinfo"),
    TALVEX_LETTER(chb_KCopyS, Kopieren, "grb_Dateiinfo"),
    TALVEX_LETTER(chb_KCopyO, Kopieren, "grb_Dateiinfo"),
    TALVEX_LETTER(chb_KCopyU, Kopieren, "grb_Dateiinfo"),
    TALVEX_BOX(chb_KMT, Kopieren, "grb_Dateiinfo", false, true),
    TALVEX_EDIT(edt_KMT, Kopieren, "grb_Dateiinfo", false, false, "8"),

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
    TALVEX_BOX(chb_MMAXDEL, Monitor, "grb_MUeberwachung", false, true),
    TALVEX_EDIT(edt_MMAXDEL, Monitor, "grb_MUeberwachung", false, false, "100"),
    TALVEX_EDIT(edt_KWeitere, Monitor, "grb_Weitere", true, false, ""),

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

} // namespace talvex::options
