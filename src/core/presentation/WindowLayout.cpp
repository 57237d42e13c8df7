// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/WindowLayout.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace talvex::presentation {

namespace {

// trunc((T - 15) * factor): the share of a page that a group of the Kopieren page takes. The
// product is formed in floating point as the design's arithmetic does, then truncated toward zero.
int Share(int pageWidth, double factor) {
    return static_cast<int>(static_cast<double>(pageWidth - 15) * factor);
}

class Rules {
public:
    void width(std::string_view control, int w) { m_list.push_back({control, std::nullopt, w}); }
    void left(std::string_view control, int l) { m_list.push_back({control, l, std::nullopt}); }
    void place(std::string_view control, int l, int w) { m_list.push_back({control, l, w}); }

    // One row of a column rule: controls[i] goes to column firstColumn + i.
    void columns(int groupWidth, int a, int b, int n, int firstColumn, std::initializer_list<std::string_view> row) {
        int k = firstColumn;
        for (std::string_view control : row) {
            left(control, ColumnLeft(groupWidth, a, b, n, k++));
        }
    }

    [[nodiscard]] int leftOf(std::string_view control) const {
        // The last placement of a control is the one that counts.
        const auto it = std::find_if(m_list.rbegin(), m_list.rend(), [&](const Placement& placement) {
            return placement.control == control && placement.left;
        });
        return it == m_list.rend() ? 0 : *it->left;
    }

    std::vector<Placement> take() { return std::move(m_list); }

private:
    std::vector<Placement> m_list;
};

void LayoutPfade(Rules& r, int t) {
    const int w = t - 7;
    r.width("grb_Quelle", w);
    r.width("edt_PSD", w - 33);
    r.width("grb_Ziel", w);
    r.width("edt_PDD", w - 33);
}

void LayoutKopieren(Rules& r, int t) {
    r.width("grb_Mode", Share(t, 0.16));

    const int functions = Share(t, 0.84);
    r.place("grb_Funktionen", t - functions - 4, functions);
    r.columns(functions, 16, 8, 4, 1, {"chb_KS", "chb_KPURGE", "chb_KFFT"});
    r.columns(functions, 16, 8, 4, 1, {"chb_KE", "chb_KMOV", "chb_KFAT"});
    r.columns(functions, 16, 8, 4, 1, {"chb_KCREATE", "chb_KMOVE", "chb_KLEV"});
    r.left("edt_KLEV", r.leftOf("chb_KLEV") + 48);

    const int info = t - 7;
    r.width("grb_Dateiinfo", info);
    r.columns(info, 16, 8, 4, 1, {"chb_KNOCOPY", "chb_KSEC", "chb_KDCOPY"});
    r.left("edt_KDCOPY", r.leftOf("chb_KDCOPY") + 62);
    r.columns(info, 16, 8, 10, 2,
              {"chb_KCopyD", "chb_KCopyA", "chb_KCopyT", "chb_KCopyS", "chb_KCopyO", "chb_KCopyU", "chb_KMT"});
    r.left("edt_KMT", r.leftOf("chb_KMT") + 44);

    const int attributes = Share(t, 0.73);
    r.width("grb_AAttribute", attributes);
    r.columns(attributes, 40, 32, 7, 1,
              {"chb_KAminusR", "chb_KAminusA", "chb_KAminusS", "chb_KAminusH", "chb_KAminusN", "chb_KAminusT"});
    r.columns(attributes, 40, 32, 7, 1,
              {"chb_KAplusR", "chb_KAplusA", "chb_KAplusS", "chb_KAplusH", "chb_KAplusN", "chb_KAplusT"});

    const int retries = Share(t, 0.27);
    r.place("grb_Retrys", t - retries - 4, retries);
}

void LayoutFiltern(Rules& r, int t) {
    const int w = t - 7;
    r.width("grb_Eigenschaften", w);
    r.columns(w, 86, 8, 6, 1, {"chb_FXJD", "chb_FXJ", "chb_FXN", "chb_FXX", "chb_FMAX"});
    r.columns(w, 86, 8, 6, 1, {"chb_FXJF", "chb_FXC", "chb_FXO", "chb_FXL", "chb_FMIN"});
    r.left("edt_FMAX", r.leftOf("chb_FMAX") + 52);
    r.left("lbl_FMAX", r.leftOf("edt_FMAX") + 47);
    r.left("edt_FMIN", r.leftOf("chb_FMIN") + 52);
    r.left("lbl_FMIN", r.leftOf("edt_FMIN") + 47);

    r.width("grb_FAttribute", w);
    r.columns(
        w, 30, 30, 10, 1,
        {"chb_FIAr", "chb_FIAa", "chb_FIAs", "chb_FIAh", "chb_FIAc", "chb_FIAn", "chb_FIAe", "chb_FIAt", "chb_FIAo"});
    r.columns(
        w, 30, 30, 10, 1,
        {"chb_FXAr", "chb_FXAa", "chb_FXAs", "chb_FXAh", "chb_FXAc", "chb_FXAn", "chb_FXAe", "chb_FXAt", "chb_FXAo"});

    r.width("grb_Namen", w);
    r.left("sbu_FListe", w - 67);
    r.width("red_FListe", w - 127);
}

void LayoutLog(Rules& r, int t) {
    const int w = t - 7;
    r.width("grb_Ausgabe", w);
    r.columns(w, 16, 8, 5, 1, {"chb_LNJH", "chb_LETA", "chb_LNC", "chb_LNFL"});
    r.columns(w, 16, 8, 5, 1, {"chb_LNJS", "chb_LX", "chb_LNDL", "chb_LL"});
    r.columns(w, 16, 8, 5, 1, {"chb_LNP", "chb_LNS", "chb_LUNICODE", "chb_LTEE"});
    r.width("grb_Datei", w);
    r.columns(w, 16, 8, 4, 1, {"chb_LLOGplus", "chb_LUNILOG", "chb_LUNILOGPlus"});
    r.width("edt_LLOG", w - 12);
    r.width("grb_Fehler", w);
}

void LayoutMonitor(Rules& r, int t) {
    r.width("grb_MUeberwachung", t - 7);
    r.width("grb_Weitere", t - 7);
    r.width("edt_KWeitere", t - 23);
}

void LayoutImage(Rules& r, int t) {
    const int w = t - 7;
    r.width("grb_IImage", w);
    r.width("edt_IImage", w - 33);
    r.width("edt_Imkisofs", w - 12);
    r.width("grb_IBrennen", w);
    r.width("edt_IBrenner", w - 33);
}

} // namespace

int ColumnLeft(int groupWidth, int a, int b, int n, int k) {
    // C++ integer division truncates toward zero, as the rule demands for negative terms.
    return ((groupWidth - a) * k) / n + b;
}

int JobPageTabWidth(int pageControlWidth, bool imageView) {
    const int pages = imageView ? 6 : 5;
    return (pageControlWidth - 1) / pages - 10;
}

std::vector<TabSlot> JobTabSlots(std::size_t count, int stripWidth) {
    std::vector<TabSlot> slots;
    slots.reserve(count);
    const int shared = count >= 5 ? (stripWidth - 4) / static_cast<int>(count) : kJobTabButtonWidth;
    for (std::size_t i = 0; i < count; ++i) {
        slots.push_back({static_cast<int>(i) * shared + 2, shared});
    }
    return slots;
}

VerticalMargins ButtonColumnMargins(int leftColumnHeight) {
    const int half = (leftColumnHeight - kButtonColumnHeight) / 2;
    return {half + 2, half - 2};
}

std::vector<Placement> LayoutJobPage(options::Tab page, int pageWidth) {
    Rules rules;
    switch (page) {
    case options::Tab::Pfade:
        LayoutPfade(rules, pageWidth);
        break;
    case options::Tab::Kopieren:
        LayoutKopieren(rules, pageWidth);
        break;
    case options::Tab::Filtern:
        LayoutFiltern(rules, pageWidth);
        break;
    case options::Tab::Log:
        LayoutLog(rules, pageWidth);
        break;
    case options::Tab::Monitor:
        LayoutMonitor(rules, pageWidth);
        break;
    case options::Tab::Image:
        LayoutImage(rules, pageWidth);
        break;
    }
    return rules.take();
}

} // namespace talvex::presentation
