// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/Hints.h"

#include <string>

#include <gtest/gtest.h>

namespace talvex::presentation {
namespace {

using options::Control;

std::string Hint(Control control, HintMode mode = HintMode::Balloon) {
    const char* text = HintText(control, mode);
    return text == nullptr ? "<none>" : text;
}

TEST(HintsTest, ControlsExplainThemselves) {
    struct Case {
        Control control;
        const char* text;
    };
    for (const Case& c : {
             Case{Control::edt_KR, "Anzahl der Kopierversuche wenn ein Fehler auftritt. Voreinstellung eine Milllion."},
             Case{Control::chb_FIAr, "Schreibgeschützt"},
             Case{Control::chb_KAminusN, "Nicht für schnelle Dateisuche indexiert"},
             Case{Control::chb_KAplusN, "Nicht für schnelle Dateisuche indexiert."},
             Case{Control::edt_PSD, "Verzeichnis der zu sichernden Dateien."},
             // No hint: the Image tab's own controls and the labels.
             Case{Control::chb_IIMG, "<none>"},
             Case{Control::lbl_SDE, "<none>"},
         }) {
        EXPECT_EQ(Hint(c.control), c.text) << options::ControlName(c.control);
    }
}

TEST(HintsTest, TwoBoxesHaveOnlyPlainHints) {
    for (Control control : {Control::chb_FID, Control::chb_LUNICODE}) {
        EXPECT_EQ(Hint(control, HintMode::Balloon), "<none>");
        EXPECT_NE(Hint(control, HintMode::Plain), "<none>");
    }
    EXPECT_EQ(Hint(Control::chb_LUNICODE, HintMode::Plain), "Konsolenausgaben als Unicode.");
}

} // namespace
} // namespace talvex::presentation
