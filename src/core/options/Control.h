// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace talvex::options {

/// Every control of a job window whose state belongs to the job.
/// The values carry the control names of the design, which are also the Qt objectNames of the
/// widgets. The order is the creation order of the job window: the design-time controls tab by
/// tab, then the fields created at run time (edt_PSD, edt_PDD, edt_IImage). `Reset` walks the
/// controls in this order, so it decides how the reset's cascades interleave.
enum class Control : unsigned char {
    // tab_Pfade
    chb_PNoSD,
    lbl_SDE,
    chb_PNoDD,
    lbl_DDE,
    // tab_Kopieren, grb_Mode
    chb_KB,
    chb_KZ,
    chb_KZB,
    // grb_Funktionen
    chb_KA,
    chb_KM,
    chb_KMIR,
    chb_KS,
    chb_KE,
    chb_KCREATE,
    chb_KPURGE,
    chb_KMOV,
    chb_KMOVE,
    chb_KFFT,
    chb_KFAT,
    chb_KLEV,
    edt_KLEV,
    // grb_Dateiinfo
    chb_KCopyAll,
    chb_KNOCOPY,
    chb_KSEC,
    chb_KDCOPY,
    edt_KDCOPY,
    chb_KCopy,
    chb_KCopyD,
    chb_KCopyA,
    chb_KCopyT,
    chb_KCopyS,
    chb_KCopyO,
    chb_KCopyU,
    chb_KMT,
    edt_KMT,
    // grb_AAttribute
    chb_KAminus,
    chb_KAminusR,
    chb_KAminusA,
    chb_KAminusS,
    chb_KAminusH,
    chb_KAminusN,
    chb_KAminusT,
    chb_KAplus,
    chb_KAplusR,
    chb_KAplusA,
    chb_KAplusS,
    chb_KAplusH,
    chb_KAplusN,
    chb_KAplusT,
    // grb_Retrys
    chb_KR,
    edt_KR,
    chb_KW,
    edt_KW,
    // tab_Filter, grb_Eigenschaften
    chb_FIS,
    chb_FIT,
    chb_FXJD,
    chb_FXJF,
    chb_FXJ,
    chb_FXC,
    chb_FXN,
    chb_FXO,
    chb_FXX,
    chb_FXL,
    chb_FMAX,
    edt_FMAX,
    lbl_FMAX,
    chb_FMIN,
    edt_FMIN,
    lbl_FMIN,
    // grb_FAttribute
    chb_FIA,
    chb_FIAr,
    chb_FIAa,
    chb_FIAs,
    chb_FIAh,
    chb_FIAc,
    chb_FIAn,
    chb_FIAe,
    chb_FIAt,
    chb_FIAo,
    chb_FXA,
    chb_FXAr,
    chb_FXAa,
    chb_FXAs,
    chb_FXAh,
    chb_FXAc,
    chb_FXAn,
    chb_FXAe,
    chb_FXAt,
    chb_FXAo,
    // grb_Namen
    pnl_FEAN,
    chb_FIF,
    chb_FID,
    chb_FXF,
    chb_FXD,
    red_FListe,
    // tab_Log, grb_Ausgabe
    chb_LV,
    chb_LTS,
    chb_LFP,
    chb_LNJH,
    chb_LETA,
    chb_LNC,
    chb_LNFL,
    chb_LNJS,
    chb_LX,
    chb_LNDL,
    chb_LL,
    chb_LNP,
    chb_LNS,
    chb_LUNICODE,
    chb_LTEE,
    // grb_Datei
    chb_LLOG,
    chb_LLOGplus,
    chb_LUNILOG,
    chb_LUNILOGPlus,
    edt_LLOG,
    // grb_Fehler
    chb_LTBD,
    // tab_Monitor
    chb_MMON,
    edt_MMON,
    chb_MMOT,
    edt_MMOT,
    chb_MIPG,
    edt_MIPG,
    chb_MPF,
    chb_MRH,
    edt_MRH1,
    lbl_MRH,
    edt_MRH2,
    chb_MMAXDEL,
    edt_MMAXDEL,
    // grb_Weitere
    edt_KWeitere,
    // tab_Image
    chb_IIMG,
    sbu_IImage,
    edt_Imkisofs,
    chb_IBurn,
    sbu_ISpeed,
    edt_ISpeed,
    lbl_ISpeed,
    sbu_IBrenner,
    edt_IBrenner,
    // created at run time
    edt_PSD,
    edt_PDD,
    edt_IImage,
};

/// Number of controls; `Control` values run from 0 to kControlCount - 1.
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::edt_IImage) + 1;

/// Index of a control into per-control arrays.
[[nodiscard]] constexpr std::size_t ToIndex(Control control) {
    return static_cast<std::size_t>(control);
}

/// What a control is; decides what `Reset` does with it and which properties a view mirrors.
enum class ControlKind : unsigned char {
    CheckBox,    ///< option box or Image-tab box: ticked and enabled
    LetterBox,   ///< one letter of a letters option: ticked and enabled
    Edit,        ///< 8-bit edit field: text, enabled, read-only
    UnicodeEdit, ///< path field (UTF-8 in the model, UTF-16 in the original): text, read-only
    Label,       ///< text and enabled; never emptied by `Reset`
    Button,      ///< speed button: enabled only
    Panel,       ///< enabled only
    RichText,    ///< plain rich-text field: text and read-only
};

/// The tab page a control sits on.
enum class Tab : unsigned char {
    Pfade,
    Kopieren,
    Filtern,
    Log,
    Monitor,
    Image,
};

/// The control name, e.g. "chb_KMIR" (the Qt objectName of its widget).
[[nodiscard]] std::string_view ControlName(Control control);

/// The control of that exact name, or nothing.
[[nodiscard]] std::optional<Control> FindControl(std::string_view name);

[[nodiscard]] ControlKind KindOf(Control control);

/// True for check boxes and letter boxes.
[[nodiscard]] bool IsBox(Control control);

/// True for the edit kinds, labels and the rich-text field: controls whose text is state.
[[nodiscard]] bool HasText(Control control);

} // namespace talvex::options
