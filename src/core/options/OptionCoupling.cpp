// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/OptionCoupling.h"

#include <array>
#include <initializer_list>
#include <string>

#include "core/options/JobState.h"
#include "core/options/OptionCatalogue.h"
#include "platform/FileSystems.h"
#include "platform/SystemNames.h"

namespace talvex::options::coupling {

namespace {

using C = Control;

constexpr std::array kLevFields = {C::edt_KLEV};
constexpr std::array kDcopyFields = {C::edt_KDCOPY};
constexpr std::array kMtFields = {C::edt_KMT};
constexpr std::array kRFields = {C::edt_KR};
constexpr std::array kWFields = {C::edt_KW};
constexpr std::array kMaxFields = {C::edt_FMAX, C::lbl_FMAX};
constexpr std::array kMinFields = {C::edt_FMIN, C::lbl_FMIN};
constexpr std::array kMonFields = {C::edt_MMON};
constexpr std::array kMotFields = {C::edt_MMOT};
constexpr std::array kIpgFields = {C::edt_MIPG};
constexpr std::array kMaxDelFields = {C::edt_MMAXDEL};
constexpr std::array kRhFields = {C::edt_MRH1, C::lbl_MRH, C::edt_MRH2};
constexpr std::array kAminusBoxes = {C::chb_KAminusR, C::chb_KAminusA, C::chb_KAminusS,
                                     C::chb_KAminusH, C::chb_KAminusN, C::chb_KAminusT};
constexpr std::array kAplusBoxes = {C::chb_KAplusR, C::chb_KAplusA, C::chb_KAplusS,
                                    C::chb_KAplusH, C::chb_KAplusN, C::chb_KAplusT};
constexpr std::array kIaBoxes = {C::chb_FIAr, C::chb_FIAa, C::chb_FIAs, C::chb_FIAh, C::chb_FIAc,
                                 C::chb_FIAn, C::chb_FIAe, C::chb_FIAt, C::chb_FIAo};
constexpr std::array kXaBoxes = {C::chb_FXAr, C::chb_FXAa, C::chb_FXAs, C::chb_FXAh, C::chb_FXAc,
                                 C::chb_FXAn, C::chb_FXAe, C::chb_FXAt, C::chb_FXAo};
// Only for `Reset` step 2, which enables all six /COPY letters by the tick of /COPY; the /COPY
// handler itself treats S, O and U by the file-system rule.
constexpr std::array kCopyBoxes = {C::chb_KCopyD, C::chb_KCopyA, C::chb_KCopyT,
                                   C::chb_KCopyS, C::chb_KCopyO, C::chb_KCopyU};
constexpr std::array kBurnControls = {C::sbu_ISpeed, C::edt_ISpeed, C::sbu_IBrenner, C::edt_IBrenner, C::lbl_ISpeed};

void SetEnabled(JobState& state, std::span<const Control> controls, bool enabled) {
    for (const Control control : controls) {
        state.setEnabled(control, enabled);
    }
}

void Untick(JobState& state, std::initializer_list<Control> boxes) {
    for (const Control box : boxes) {
        state.setTicked(box, false);
    }
}

// Value fields and letter boxes: dependents follow the tick, then option changed.
void OnValueBox(JobState& state, Control box) {
    SetEnabled(state, EnabledWhileTicked(box), state.isTicked(box));
    state.optionChanged();
}

void OnCopy(JobState& state) {
    const bool ticked = state.isTicked(C::chb_KCopy);
    if (ticked) {
        Untick(state, {C::chb_KCopyAll, C::chb_KNOCOPY, C::chb_KSEC});
    }
    SetEnabled(state, std::span(kCopyBoxes).first(3), ticked);
    SetEnabled(state, std::span(kCopyBoxes).last(3), ticked && SidesKeepSecurity(state));
    state.optionChanged();
}

// /COPYALL, /NOCOPY and /SEC: untick the other three copy-information options, then the /COPY
// handler runs once more explicitly (unticking /COPY already ran it when /COPY was ticked).
void OnCopyRival(JobState& state, Control box, std::initializer_list<Control> rivals) {
    if (state.isTicked(box)) {
        Untick(state, rivals);
        OnCopy(state);
    }
    state.optionChanged();
}

void OnLogFile(JobState& state, Control box, std::initializer_list<Control> rivals) {
    if (state.isTicked(box)) {
        Untick(state, rivals);
        state.setEnabled(C::chb_LTEE, true);
    } else {
        state.setEnabled(C::chb_LTEE, false);
    }
    state.optionChanged();
}

void OnMirror(JobState& state) {
    // Disabling keeps the ticks: /E, /S and /PURGE come back set when /MIR is unticked.
    const bool enabled = !state.isTicked(C::chb_KMIR);
    for (const Control box : {C::chb_KE, C::chb_KS, C::chb_KPURGE}) {
        state.setEnabled(box, enabled);
    }
    state.optionChanged();
}

void OnUnicode(JobState& state) {
    if (state.sourceNeedsUnicode() || state.destNeedsUnicode()) {
        state.TickAndEnable(C::chb_LUNICODE);
    }
    state.optionChanged();
}

// /NOSD and /NODD: a job without a folder must not claim one. The re-tick runs this handler once
// more, nested; option changed runs in exactly one of the two runs.
void OnNoFolder(JobState& state, Control box, Control pathField) {
    const bool noted = state.isTicked(box);
    if (state.text(pathField).empty()) {
        state.setTicked(box, true);
    }
    if (state.isTicked(box) == noted) {
        state.optionChanged();
    }
}

void OnImage(JobState& state) {
    // The image box handler; its steps 2 and 3 need settings and a chooser and go to the environment.
    state.setEnabled(C::edt_IImage, state.isTicked(C::chb_IIMG));
    if (state.isTicked(C::chb_IIMG)) {
        state.environment().imageOptionTicked(state);
    }
    if (!state.environment().fileExists(state.text(C::edt_Imkisofs))) {
        state.setTicked(C::chb_IIMG, false);
    }
    const bool ticked = state.isTicked(C::chb_IIMG);
    state.setEnabled(C::edt_Imkisofs, ticked);
    state.setEnabled(C::chb_IBurn, ticked && state.environment().burningToolInstalled());
    state.setReadyFlag(state.computeReady());
}

void OnBurn(JobState& state) {
    SetEnabled(state, kBurnControls, state.isTicked(C::chb_IBurn));
    state.setReadyFlag(state.computeReady());
}

} // namespace

std::span<const Control> EnabledWhileTicked(Control box) {
    switch (box) {
    case C::chb_KLEV:
        return kLevFields;
    case C::chb_KDCOPY:
        return kDcopyFields;
    case C::chb_KMT:
        return kMtFields;
    case C::chb_KR:
        return kRFields;
    case C::chb_KW:
        return kWFields;
    case C::chb_FMAX:
        return kMaxFields;
    case C::chb_FMIN:
        return kMinFields;
    case C::chb_MMON:
        return kMonFields;
    case C::chb_MMOT:
        return kMotFields;
    case C::chb_MIPG:
        return kIpgFields;
    case C::chb_MMAXDEL:
        return kMaxDelFields;
    case C::chb_MRH:
        return kRhFields;
    case C::chb_KAminus:
        return kAminusBoxes;
    case C::chb_KAplus:
        return kAplusBoxes;
    case C::chb_FIA:
        return kIaBoxes;
    case C::chb_FXA:
        return kXaBoxes;
    case C::chb_KCopy:
        return kCopyBoxes;
    default:
        return {};
    }
}

bool SidesKeepSecurity(const JobState& state) {
    const bool sourceSuitable =
        state.IsOptionSet(C::chb_PNoSD) || platform::FileSystemKeepsSecurity(state.text(C::lbl_SDE));
    const bool destSuitable =
        state.IsOptionSet(C::chb_PNoDD) || platform::FileSystemKeepsSecurity(state.text(C::lbl_DDE));
    return sourceSuitable && destSuitable;
}

bool EndsWithSeparator(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    return platform::kFolderSeparators.find(text.back()) != std::string_view::npos;
}

std::string_view LogFileName(std::string_view text) {
    while (EndsWithSeparator(text)) {
        text.remove_suffix(1);
    }
    return text;
}

namespace {

// The boxes that exclude others: each unticks its rivals or disables what it stands in for.
// True when `box` is one of them.
bool RunRivalHandler(JobState& state, Control box) {
    switch (box) {
    case C::chb_FXJ: {
        const bool enabled = !state.isTicked(C::chb_FXJ);
        state.setEnabled(C::chb_FXJD, enabled);
        state.setEnabled(C::chb_FXJF, enabled);
        state.optionChanged();
        return true;
    }
    case C::chb_KS:
        if (state.isTicked(C::chb_KS)) {
            state.setTicked(C::chb_KE, false);
        }
        state.optionChanged();
        return true;
    case C::chb_KE:
        if (state.isTicked(C::chb_KE)) {
            state.setTicked(C::chb_KS, false);
        }
        state.optionChanged();
        return true;
    case C::chb_KMIR:
        OnMirror(state);
        return true;
    case C::chb_FXN:
        if (state.isTicked(C::chb_FXN)) {
            state.setTicked(C::chb_FXO, false);
        }
        state.optionChanged();
        return true;
    case C::chb_FXO:
        if (state.isTicked(C::chb_FXO)) {
            state.setTicked(C::chb_FXN, false);
        }
        state.optionChanged();
        return true;
    case C::chb_KCopy:
        OnCopy(state);
        return true;
    case C::chb_KCopyAll:
        OnCopyRival(state, box, {C::chb_KNOCOPY, C::chb_KSEC, C::chb_KCopy});
        return true;
    case C::chb_KNOCOPY:
        OnCopyRival(state, box, {C::chb_KCopyAll, C::chb_KSEC, C::chb_KCopy});
        return true;
    case C::chb_KSEC:
        OnCopyRival(state, box, {C::chb_KCopyAll, C::chb_KNOCOPY, C::chb_KCopy});
        return true;
    case C::chb_LLOG:
        OnLogFile(state, box, {C::chb_LLOGplus, C::chb_LUNILOG, C::chb_LUNILOGPlus});
        return true;
    case C::chb_LLOGplus:
        OnLogFile(state, box, {C::chb_LLOG, C::chb_LUNILOG, C::chb_LUNILOGPlus});
        return true;
    case C::chb_LUNILOG:
        OnLogFile(state, box, {C::chb_LLOG, C::chb_LLOGplus, C::chb_LUNILOGPlus});
        return true;
    case C::chb_LUNILOGPlus:
        OnLogFile(state, box, {C::chb_LLOG, C::chb_LLOGplus, C::chb_LUNILOG});
        return true;
    default:
        return false;
    }
}

} // namespace

void RunClickHandler(JobState& state, Control box) {
    if (RunRivalHandler(state, box)) {
        return;
    }
    switch (box) {
    case C::chb_KMT:
        // Ticked without a count, robocopy's own default applies; the field shows it.
        if (state.isTicked(box) && state.text(C::edt_KMT).find_first_not_of(" \t") == std::string::npos) {
            state.setText(C::edt_KMT, "8");
        }
        [[fallthrough]];
    case C::chb_KDCOPY:
    case C::chb_KLEV:
    case C::chb_KR:
    case C::chb_KW:
    case C::chb_FMAX:
    case C::chb_FMIN:
    case C::chb_MMON:
    case C::chb_MMOT:
    case C::chb_MIPG:
    case C::chb_MRH:
    case C::chb_MMAXDEL:
    case C::chb_KAminus:
    case C::chb_KAplus:
    case C::chb_FIA:
    case C::chb_FXA:
        OnValueBox(state, box);
        return;
    case C::chb_LUNICODE:
        OnUnicode(state);
        return;
    case C::chb_PNoSD:
        OnNoFolder(state, C::chb_PNoSD, C::edt_PSD);
        return;
    case C::chb_PNoDD:
        OnNoFolder(state, C::chb_PNoDD, C::edt_PDD);
        return;
    case C::chb_IIMG:
        OnImage(state);
        return;
    case C::chb_IBurn:
        OnBurn(state);
        return;
    default:
        // Every other option box and every letter box has the common handler.
        if (IsBox(box)) {
            state.optionChanged();
        }
        return;
    }
}

void RunChangeHandler(JobState& state, Control control) {
    switch (control) {
    case C::edt_KLEV:
    case C::edt_KR:
    case C::edt_KW:
    case C::edt_FMAX:
    case C::edt_FMIN:
    case C::edt_MMON:
    case C::edt_MMOT:
    case C::edt_MIPG:
    case C::edt_MMAXDEL:
    case C::edt_MRH1:
    case C::edt_MRH2:
    case C::edt_KWeitere:
    case C::edt_KDCOPY:
    case C::edt_KMT:
    case C::edt_LLOG:
        state.optionChanged();
        return;
    case C::edt_PSD:
    case C::edt_PDD:
    case C::edt_IImage:
        // Path changed.
        state.setReadyFlag(state.computeReady());
        state.optionChanged();
        return;
    case C::edt_ISpeed:
    case C::edt_IBrenner:
        // The burn settings also store the value in the settings; that is the Image tab's, not the model's.
        state.setReadyFlag(state.computeReady());
        return;
    default:
        return;
    }
}

} // namespace talvex::options::coupling
