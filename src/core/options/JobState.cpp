// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/JobState.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/options/NameListText.h"
#include "core/options/OptionCatalogue.h"
#include "core/options/OptionCoupling.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"
#include "platform/SystemNames.h"
#include "platform/Unicode.h"

namespace talvex::options {

namespace {

using C = Control;

// Boxes whose handlers the creation sequence runs once.
constexpr std::array kCreationHandlers = {C::chb_KLEV,   C::chb_KDCOPY, C::chb_KMT,  C::chb_KCopy, C::chb_KAminus,
                                          C::chb_KAplus, C::chb_KR,     C::chb_KW,   C::chb_FMAX,  C::chb_FMIN,
                                          C::chb_MMON,   C::chb_MMOT,   C::chb_MIPG, C::chb_MRH,   C::chb_MMAXDEL};

// Boxes whose dependents `Reset` step 2 enables by their tick (every one becomes disabled then).
constexpr std::array kResetDependents = {C::chb_KDCOPY, C::chb_KMT,  C::chb_KAminus, C::chb_KAplus, C::chb_KCopy,
                                         C::chb_FIA,    C::chb_FXA,  C::chb_KLEV,    C::chb_FMAX,   C::chb_FMIN,
                                         C::chb_MMON,   C::chb_MMOT, C::chb_MIPG,    C::chb_MRH,    C::chb_MMAXDEL};

// The mkisofs placeholder is shown as the field's text, so it is stored translated. The "k. A." of
// lbl_SDE and lbl_DDE stays German: it marks "no folder chosen yet" and the view translates it.
[[nodiscard]] bool IsTranslatedFreshText(Control control) {
    return control == C::edt_Imkisofs;
}

[[nodiscard]] bool IsIndicator(Control control) {
    return control == C::chb_FIF || control == C::chb_FXF || control == C::chb_FID || control == C::chb_FXD;
}

// The file-name part of a job file path: after the last folder separator or drive colon.
[[nodiscard]] std::string_view FileNamePart(std::string_view path) {
    // npos + 1 is 0: without a separator the whole path is the name.
    const auto cut = std::max(path.find_last_of(platform::kFolderSeparators) + 1, path.find_last_of(':') + 1);
    return path.substr(cut);
}

// Whether the name-list text holds a block of this switch: a line that is exactly the switch.
[[nodiscard]] bool HoldsBlock(std::string_view text, std::string_view switchName) {
    const std::vector<std::string_view> lines = SplitNameList(text);
    return std::any_of(lines.begin(), lines.end(), [switchName](std::string_view line) { return line == switchName; });
}

} // namespace

JobState::JobState(JobEnvironment& environment) : m_environment(environment) {
    // Creation sequence as far as it concerns the state: design-time states, the
    // checks of /NOSD and /NODD, the handlers of step 9, the flags of step 10.
    for (const ControlInfo& info : Controls()) {
        ControlState& state = at(info.control);
        state.ticked = info.freshTicked;
        state.enabled = info.freshEnabled;
        state.readOnly = info.freshReadOnly;
        state.text = IsTranslatedFreshText(info.control) ? tr(info.freshText) : std::string(info.freshText);
    }
    for (const Control box : kCreationHandlers) {
        runClickHandler(box);
    }
    m_jobFilePath.clear();
    m_jobReferencePath.clear();
    SetJobFlags(false, false, false);
}

void JobState::addObserver(JobStateObserver& observer) {
    m_observers.push_back(&observer);
}

void JobState::removeObserver(JobStateObserver& observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), &observer), m_observers.end());
}

void JobState::setTicked(Control box, bool ticked) {
    ControlState& state = at(box);
    if (state.ticked == ticked) {
        return;
    }
    state.ticked = ticked;
    for (JobStateObserver* observer : m_observers) {
        observer->tickedChanged(box, ticked);
    }
    coupling::RunClickHandler(*this, box);
}

void JobState::setEnabled(Control control, bool enabled) {
    ControlState& state = at(control);
    if (state.enabled == enabled) {
        return;
    }
    state.enabled = enabled;
    for (JobStateObserver* observer : m_observers) {
        observer->enabledChanged(control, enabled);
    }
}

void JobState::setReadOnly(Control control, bool readOnly) {
    ControlState& state = at(control);
    if (state.readOnly == readOnly) {
        return;
    }
    state.readOnly = readOnly;
    for (JobStateObserver* observer : m_observers) {
        observer->readOnlyChanged(control, readOnly);
    }
}

void JobState::setText(Control control, std::string_view text) {
    ControlState& state = at(control);
    if (state.text == text) {
        return;
    }
    state.text.assign(text.data(), text.size());
    for (JobStateObserver* observer : m_observers) {
        observer->textChanged(control, state.text);
    }
    coupling::RunChangeHandler(*this, control);
}

bool JobState::isClickable(Control box) const {
    return IsBox(box) && isEnabled(box) && !(IsIndicator(box) && !isEnabled(C::pnl_FEAN));
}

bool JobState::click(Control box) {
    if (!isClickable(box)) {
        return false;
    }
    setTicked(box, !isTicked(box));
    return true;
}

void JobState::runClickHandler(Control box) {
    coupling::RunClickHandler(*this, box);
}

bool JobState::IsOptionSet(Control box) const {
    const ControlState& state = at(box);
    return state.ticked && state.enabled;
}

bool JobState::isAnyOptionSet(std::span<const OptionInfo> options) const {
    return std::any_of(options.begin(), options.end(),
                       [this](const OptionInfo& option) { return IsOptionSet(option.box); });
}

void JobState::TickAndEnable(Control box) {
    setTicked(box, true);
    setEnabled(box, true);
}

std::string JobState::tickedLetters(Control optionBox) const {
    std::string letters;
    for (const Letter& letter : LettersOf(optionBox)) {
        if (isTicked(letter.box)) {
            letters.push_back(letter.letter);
        }
    }
    return letters;
}

void JobState::checkSourcePath(std::string_view path) {
    m_sourceNeedsUnicode = platform::NeedsUnicode(path);
    notifyFlags();
    if (m_sourceNeedsUnicode) {
        TickAndEnable(C::chb_LUNICODE);
    }
}

void JobState::checkDestinationPath(std::string_view path) {
    m_destNeedsUnicode = platform::NeedsUnicode(path);
    notifyFlags();
    if (m_destNeedsUnicode) {
        TickAndEnable(C::chb_LUNICODE);
    }
}

void JobState::applySourceFolder(std::string_view path, std::string_view fileSystemLabel) {
    setText(C::edt_PSD, path);
    setTicked(C::chb_PNoSD, false);
    setText(C::lbl_SDE, fileSystemLabel);
    checkSourcePath(path);
    runClickHandler(C::chb_KCopy);
}

void JobState::applyDestinationFolder(std::string_view path, std::string_view fileSystemLabel) {
    setText(C::edt_PDD, path);
    setTicked(C::chb_PNoDD, false);
    checkDestinationPath(path);
    setText(C::lbl_DDE, fileSystemLabel);
    runClickHandler(C::chb_KCopy);
}

void JobState::prepareForShow() {
    setText(C::edt_PSD, {});
    setText(C::edt_PDD, {});
    setTicked(C::chb_PNoSD, true);
    setTicked(C::chb_PNoDD, true);
}

void JobState::setJobFilePath(std::string_view path) {
    m_jobFilePath = path;
    refreshCaption();
}

void JobState::finishLogFileText() {
    const std::string_view name = coupling::LogFileName(text(C::edt_LLOG));
    if (name.size() != text(C::edt_LLOG).size()) {
        setText(C::edt_LLOG, std::string(name));
    }
}

void JobState::setNameListText(std::string_view text) {
    setText(C::red_FListe, text);
    for (const Control box : {C::chb_FIF, C::chb_FXF, C::chb_FID, C::chb_FXD}) {
        setTicked(box, HoldsBlock(text, FindOption(box)->switchName));
    }
    optionChanged();
}

void JobState::setModifiedFlag(bool modified) {
    m_modified = modified;
    raiseStateChanged();
}

void JobState::setReadyFlag(bool ready) {
    m_ready = ready;
    raiseStateChanged();
}

void JobState::setSaveAsFlag(bool saveAs) {
    m_saveAs = saveAs;
    raiseStateChanged();
}

void JobState::clearStateChangedFlag() {
    m_stateChanged = false;
    notifyFlags();
}

void JobState::SetJobFlags(bool ready, bool saveAs, bool modified) {
    m_ready = ready;
    m_saveAs = saveAs;
    m_modified = modified;
    raiseStateChanged();
}

void JobState::optionChanged() {
    m_modified = true;
    for (JobStateObserver* observer : m_observers) {
        observer->optionChanged();
    }
    raiseStateChanged();
}

bool JobState::computeReady() const {
    if (sourcePath().empty() || destinationPath().empty()) {
        return false;
    }
    if (isTicked(C::chb_IIMG) && (text(C::edt_IImage).empty() || !m_environment.fileExists(text(C::edt_Imkisofs)))) {
        return false;
    }
    if (isTicked(C::chb_IBurn) && (text(C::edt_ISpeed).empty() || text(C::edt_IBrenner).empty())) {
        return false;
    }
    return true;
}

void JobState::refreshCaption() {
    m_captionModified = m_modified;
    m_captionPath = m_jobFilePath;
    std::string_view name = FileNamePart(m_jobFilePath);
    if (m_jobFilePath.empty()) {
        name = "*.rcj";
    }
    std::string caption = m_modified ? Format("%s [%s]", {name, tr("geändert")}) : std::string(name);
    if (caption == m_caption) {
        return;
    }
    m_caption = std::move(caption);
    for (JobStateObserver* observer : m_observers) {
        observer->captionChanged(m_caption);
    }
}

bool JobState::Reset() {
    try {
        // 1. Every control in creation order: untick boxes (each untick runs its handler, so /NOSD
        //    and /NODD come back while their path is still empty, and /UNICODE while a path needs
        //    it), empty edits and the name list. Labels keep their text.
        for (const ControlInfo& info : Controls()) {
            switch (info.kind) {
            case ControlKind::CheckBox:
            case ControlKind::LetterBox:
                setTicked(info.control, false);
                break;
            case ControlKind::Edit:
            case ControlKind::UnicodeEdit:
            case ControlKind::RichText:
                setText(info.control, {});
                break;
            case ControlKind::Label:
            case ControlKind::Button:
            case ControlKind::Panel:
                break;
            }
        }
        // 2. Letter boxes and value fields follow their boxes (all become disabled).
        for (const Control box : kResetDependents) {
            for (const Control dependent : coupling::EnabledWhileTicked(box)) {
                setEnabled(dependent, isTicked(box));
            }
        }
        // 3. /R and /W ticked, their (empty) fields enabled.
        setTicked(C::chb_KR, true);
        setTicked(C::chb_KW, true);
        setEnabled(C::edt_KR, isTicked(C::chb_KR));
        setEnabled(C::edt_KW, isTicked(C::chb_KW));
        // 4.
        setEnabled(C::pnl_FEAN, false);
        setReadOnly(C::red_FListe, true);
        setEnabled(C::chb_LTEE, false);
        // 5. Image tab.
        setEnabled(C::chb_IIMG, true);
        setTicked(C::chb_IIMG, false);
        setEnabled(C::sbu_IImage, false);
        setEnabled(C::edt_Imkisofs, false);
        setText(C::edt_Imkisofs, tr(kMkisofsPlaceholder));
        setEnabled(C::chb_IBurn, false);
        setTicked(C::chb_IBurn, false);
        for (const Control control : {C::sbu_ISpeed, C::sbu_IBrenner, C::lbl_ISpeed}) {
            setEnabled(control, false);
        }
        for (const Control field : {C::edt_ISpeed, C::edt_IBrenner}) {
            setEnabled(field, false);
            setText(field, {});
            setReadOnly(field, true);
        }
        return true;
    } catch (...) {
        // An exception during the reset is reported as false.
        return false;
    }
}

void JobState::raiseStateChanged() {
    m_stateChanged = true;
    notifyFlags();
    // Most calls come from option changed on an already modified job: skip the formatting then.
    if (m_caption.empty() || m_captionModified != m_modified || m_captionPath != m_jobFilePath) {
        refreshCaption();
    }
}

void JobState::notifyFlags() {
    for (JobStateObserver* observer : m_observers) {
        observer->flagsChanged();
    }
}

} // namespace talvex::options
