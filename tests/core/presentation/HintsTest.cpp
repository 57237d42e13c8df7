// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/Hints.h"

#include <string>

#include <gtest/gtest.h>

namespace talvex::presentation {
namespace {

using options::Control;

std::string Hint(Control control, HintMode mode) {
    const char* text = HintText(control, mode);
    return text == nullptr ? "<none>" : text;
}

TEST(HintsTest, ControlsExplainThemselves) {
    struct Case {
        Control control;
        HintMode mode;
        const char* text;
    };
    constexpr auto Balloon = HintMode::Balloon;
    for (const Case& c : {
             Case{Control::edt_KR, Balloon,
                  "Anzahl der Kopierversuche wenn ein Fehler auftritt. Voreinstellung eine Milllion."},
             Case{Control::chb_FIAr, Balloon, "Schreibgeschützt"},
             // Labels show data, not options.
             Case{Control::lbl_SDE, Balloon, "<none>"},
             // Two boxes have only plain hints.
             Case{Control::chb_FID, Balloon, "<none>"},
             Case{Control::chb_FID, HintMode::Plain,
                  "Verzeichnisse mit bestimmten Namens- und Pfadangaben einschliessen."},
             Case{Control::chb_LUNICODE, Balloon, "<none>"},
             Case{Control::chb_LUNICODE, HintMode::Plain, "Konsolenausgaben als Unicode."},
         }) {
        EXPECT_EQ(Hint(c.control, c.mode), c.text) << options::ControlName(c.control);
    }
}

} // namespace
} // namespace talvex::presentation
