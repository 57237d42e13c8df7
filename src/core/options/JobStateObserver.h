// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "core/options/Control.h"

namespace talvex::options {

/// Told about every change of a `JobState`, so that a view (the Qt job window) can mirror the
/// model into its widgets. Every callback reports a change that has already happened; the model
/// is consistent for that control when it is called, but a cascade may still be running.
/// Callbacks must not throw. The text passed is valid only during the call.
class JobStateObserver {
public:
    virtual ~JobStateObserver() = default;

    virtual void tickedChanged(Control /*control*/, bool /*ticked*/) {}
    virtual void enabledChanged(Control /*control*/, bool /*enabled*/) {}
    virtual void readOnlyChanged(Control /*control*/, bool /*readOnly*/) {}
    virtual void textChanged(Control /*control*/, std::string_view /*text*/) {}

    /// The option-changed handler ran (Part 5.1): the job was marked modified.
    virtual void optionChanged() {}

    /// One of ModifiedFlag, ReadyFlag, SaveAsFlag, StateChangedFlag, SourceNeedsUnicode,
    /// DestNeedsUnicode was stored (also when it kept its value).
    virtual void flagsChanged() {}

    /// The window caption changed (caption rule of Part 5.1).
    virtual void captionChanged(std::string_view /*caption*/) {}
};

} // namespace talvex::options
