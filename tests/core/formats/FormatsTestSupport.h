// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "core/options/JobState.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/RecordingLogSink.h"

namespace talvex::formats::testing {

/// The bytes of lines as they are saved: each followed by CR LF.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

/// Ticks a value option and fills its field.
inline void SetValue(options::JobState& job, options::Control box, options::Control field, std::string_view text) {
    job.setTicked(box, true);
    job.setText(field, text);
}

/// A fresh job with a recording log and fixed services.
class FormatsFixture : public ::testing::Test {
protected:
    void value(options::Control box, options::Control field, std::string_view text) { SetValue(job, box, field, text); }

    fakes::FakeJobEnvironment environment;
    options::JobState job{environment};
    fakes::RecordingLogSink log;
    fakes::FakeFormatServices services;
};

} // namespace talvex::formats::testing
