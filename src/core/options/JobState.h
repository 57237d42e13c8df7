// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/options/Control.h"
#include "core/options/JobEnvironment.h"
#include "core/options/JobStateObserver.h"

namespace talvex::options {

struct OptionInfo;

/// The state of one job: every control of the job window with its
/// ticked, enabled and read-only state and its text, the job's paths and flags, and the coupling
/// between options. Ticking a box, from code or by a click, runs its click handler exactly when
/// its ticked state changes, so cascades behave as in the original window; enabling or disabling
/// never runs a handler. Views mirror the state through `JobStateObserver`.
///
/// Texts are UTF-8 everywhere, paths included. Not thread-safe: one user-interface thread.
class JobState final {
public:
    /// Creates the state of a fresh job window (creation sequence: fresh states,
    /// value-field handlers run once, `SetJobFlags(false, false, false)`). `environment`
    /// must outlive the state.
    explicit JobState(JobEnvironment& environment);
    JobState(const JobState&) = delete;
    JobState& operator=(const JobState&) = delete;
    JobState(JobState&&) = delete;
    JobState& operator=(JobState&&) = delete;
    ~JobState() = default;

    /// Observers are told about every later change; they are not owned and must be removed (or
    /// outlive the state). Adding or removing from inside a callback is not allowed.
    void addObserver(JobStateObserver& observer);
    void removeObserver(JobStateObserver& observer);

    // ---- controls -------------------------------------------------------------------------

    [[nodiscard]] bool isTicked(Control box) const { return at(box).ticked; }
    [[nodiscard]] bool isEnabled(Control control) const { return at(control).enabled; }
    [[nodiscard]] bool isReadOnly(Control control) const { return at(control).readOnly; }
    [[nodiscard]] const std::string& text(Control control) const { return at(control).text; }

    /// A user's click or a tick from code (both are the same): stores the state and, when it
    /// changed, runs the box's click handler, cascades included. The GUI calls this with
    /// the box's new state when the user clicks it.
    void setTicked(Control box, bool ticked);

    /// Stores the enabled state; never runs a handler, never changes the tick.
    void setEnabled(Control control, bool enabled);

    void setReadOnly(Control control, bool readOnly);

    /// Stores a text (typed or set from code) and, when it changed, runs the control's change
    /// handler: option changed for value fields, the separator rule for edt_LLOG, "path changed"
    /// for edt_PSD, edt_PDD and edt_IImage, the ready condition for edt_ISpeed and
    /// edt_IBrenner.
    void setText(Control control, std::string_view text);

    /// A user's click as a view without its own check box state would send it: toggles the tick
    /// when the box can be clicked (`isClickable`), with the same handler as `setTicked`. Returns
    /// whether the click reached the box.
    bool click(Control box);

    /// True for a box that is enabled and not on a disabled panel (the name-list indicators sit on
    /// pnl_FEAN, which is always disabled, so the user cannot click them).
    [[nodiscard]] bool isClickable(Control box) const;

    /// Runs a box's click handler without changing its tick.
    void runClickHandler(Control box);

    /// True when the box is ticked and itself enabled. Letter boxes are asked only
    /// `isTicked`.
    [[nodiscard]] bool IsOptionSet(Control box) const;
    /// True when `IsOptionSet` holds for one of the options (a job-file section, the name lists).
    [[nodiscard]] bool isAnyOptionSet(std::span<const OptionInfo> options) const;

    /// Ticks the box (running its handler when the tick changes), then enables it.
    void TickAndEnable(Control box);

    /// The ticked letters of a letters option, in written order ("DAT" for /COPY:DAT).
    [[nodiscard]] std::string tickedLetters(Control optionBox) const;

    // ---- paths and non-option state -------------------------------------------------------

    [[nodiscard]] const std::string& sourcePath() const { return text(Control::edt_PSD); }
    [[nodiscard]] const std::string& destinationPath() const { return text(Control::edt_PDD); }

    /// The Unicode rule for a path about to be shown in edt_PSD / edt_PDD: stores the
    /// needs-Unicode flag and, when it is set, ticks and enables /UNICODE (never unticks it).
    void checkSourcePath(std::string_view path);
    void checkDestinationPath(std::string_view path);

    /// A source folder was chosen: edt_PSD := path, untick /NOSD,
    /// lbl_SDE := file-system label, Unicode rule, then the /COPY handler.
    void applySourceFolder(std::string_view path, std::string_view fileSystemLabel);
    /// The destination counterpart, after the write probe was passed or its warning accepted.
    void applyDestinationFolder(std::string_view path, std::string_view fileSystemLabel);

    /// Show sequence: empty both path fields and tick /NOSD and /NODD.
    void prepareForShow();

    [[nodiscard]] const std::string& jobFilePath() const { return m_jobFilePath; }
    /// Stores the path of the job file and refreshes the caption.
    void setJobFilePath(std::string_view path);

    [[nodiscard]] const std::string& jobReferencePath() const { return m_jobReferencePath; }
    void setJobReferencePath(std::string_view path) { m_jobReferencePath = path; }

    /// The name-list text of red_FListe.
    [[nodiscard]] const std::string& nameListText() const { return text(Control::red_FListe); }
    /// The list editor's result: replaces red_FListe, ticks each indicator box exactly
    /// when the text holds a block of its switch, then option changed.
    void setNameListText(std::string_view text);

    /// The log-file field edt_LLOG, as the log-file dialog sets it (change rule included).
    void setLogFile(std::string_view path) { setText(Control::edt_LLOG, path); }
    /// The log-file field was left: a separator at the end of its text goes.
    void finishLogFileText();

    // ---- flags ------------------------------------------------------------------------------

    [[nodiscard]] bool modifiedFlag() const { return m_modified; }
    [[nodiscard]] bool readyFlag() const { return m_ready; }
    [[nodiscard]] bool saveAsFlag() const { return m_saveAs; }
    [[nodiscard]] bool stateChangedFlag() const { return m_stateChanged; }
    [[nodiscard]] bool sourceNeedsUnicode() const { return m_sourceNeedsUnicode; }
    [[nodiscard]] bool destNeedsUnicode() const { return m_destNeedsUnicode; }

    /// Each setter stores its flag, raises StateChangedFlag and refreshes the caption.
    void setModifiedFlag(bool modified);
    void setReadyFlag(bool ready);
    void setSaveAsFlag(bool saveAs);
    /// The main window's timer clears the flag after refreshing its buttons.
    void clearStateChangedFlag();

    /// Stores the three flags, raises StateChangedFlag, refreshes the caption.
    void SetJobFlags(bool ready, bool saveAs, bool modified);

    /// The common option-changed handler: ModifiedFlag and StateChangedFlag set,
    /// caption refreshed.
    void optionChanged();

    /// The ready condition: both paths given; with chb_IIMG ticked an image file and an
    /// existing mkisofs; with chb_IBurn ticked a speed and a burner.
    [[nodiscard]] bool computeReady() const;

    /// The window caption: the job file's name or "*.rcj", with " [geändert]"
    /// (translated) while modified.
    [[nodiscard]] const std::string& caption() const { return m_caption; }
    /// Computes the caption anew (e.g. after a language change) and reports it when it changed.
    void refreshCaption();

    /// The reset before a job file is read, in its exact order and with its cascades.
    /// False when anything threw on the way (the state is then partly reset).
    [[nodiscard]] bool Reset();

    [[nodiscard]] JobEnvironment& environment() const { return m_environment; }

private:
    struct ControlState {
        bool ticked = false;
        bool enabled = true;
        bool readOnly = false;
        std::string text;
    };

    [[nodiscard]] const ControlState& at(Control control) const { return m_controls[ToIndex(control)]; }
    [[nodiscard]] ControlState& at(Control control) { return m_controls[ToIndex(control)]; }
    void raiseStateChanged();
    void notifyFlags();

    JobEnvironment& m_environment;
    std::array<ControlState, kControlCount> m_controls;
    std::vector<JobStateObserver*> m_observers;
    std::string m_jobFilePath;
    std::string m_jobReferencePath;
    std::string m_caption;
    std::string m_captionPath; // the inputs m_caption was made from
    bool m_captionModified = false;
    bool m_modified = false;
    bool m_ready = false;
    bool m_saveAs = false;
    bool m_stateChanged = false;
    bool m_sourceNeedsUnicode = false;
    bool m_destNeedsUnicode = false;
};

} // namespace talvex::options
