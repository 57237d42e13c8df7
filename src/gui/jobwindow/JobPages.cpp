// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/JobPages.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <type_traits>
#include <utility>

#include "core/services/Translate.h"
#include "gui/Pictures.h"
#include "gui/QtText.h"

namespace talvex::gui {

namespace {

// Design rows inside a group are 24 pixels apart; edits sit 2 pixels above their box's row.
constexpr int kRow1 = 20;
constexpr int kRow2 = 44;
constexpr int kRow3 = 68;
constexpr int kEditHeight = 20;
constexpr int kPathHeight = 21;

QGroupBox* Group(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(left, top, width, height);
    return group;
}

// A check box sized to its caption, so that no text is cut; the column rules move only its left.
QCheckBox* Box(QWidget* parent, const char* name, const char* caption, int left, int top) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->adjustSize();
    box->move(left, top);
    return box;
}

QLineEdit* Edit(QWidget* parent, const char* name, int left, int top, int width, int height = kEditHeight) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(left, top, width, height);
    return edit;
}

QLabel* Label(QWidget* parent, const char* name, int left, int top, int width = 0) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    if (width > 0) {
        label->resize(width, label->fontMetrics().height());
    }
    return label;
}

QToolButton* Button(QWidget* parent, const char* name, std::optional<Picture> picture, int left, int top, int width,
                    int height) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, height);
    button->setAutoRaise(true);
    if (picture) {
        button->setIcon(PictureIcon(*picture));
    }
    return button;
}

// A row of letter boxes; the column rule places them, the design puts them 33 pixels apart.
void Letters(QWidget* group, std::initializer_list<std::pair<const char*, const char*>> letters, int left, int top) {
    for (const auto& [name, letter] : letters) {
        Box(group, name, letter, left, top);
        left += 33;
    }
}

// The folder field of a path group: history button, read-only path field, file-system labels.
void PathGroup(QWidget* page, const char* group, const char* box, const char* history, const char* edit,
               const char* eig, const char* fileSystem, int top) {
    QGroupBox* g = Group(page, group, 3, top, 379, 110);
    Box(g, box, "", 8, kRow1);
    Button(g, history, Picture::History, 4, 55, 21, kPathHeight);
    Edit(g, edit, 27, 55, 346, kPathHeight)->setReadOnly(true);
    Label(g, eig, 8, 88, 80);
    Label(g, fileSystem, 92, 88, 200);
}

void BuildPfade(QWidget* page) {
    PathGroup(page, "grb_Quelle", "chb_PNoSD", "sbu_PHistorieSD", "edt_PSD", "lbl_SDEig", "lbl_SDE", 4);
    PathGroup(page, "grb_Ziel", "chb_PNoDD", "sbu_PHistorieDD", "edt_PDD", "lbl_DDEig", "lbl_DDE", 120);
}

void BuildKopieren(QWidget* page) {
    QGroupBox* mode = Group(page, "grb_Mode", 3, 2, 59, 94);
    Box(mode, "chb_KB", "/B", 8, kRow1);
    Box(mode, "chb_KZ", "/Z", 8, kRow2);
    Box(mode, "chb_KZB", "/ZB", 8, kRow3);

    QGroupBox* functions = Group(page, "grb_Funktionen", 71, 2, 311, 94);
    Box(functions, "chb_KA", "/A", 8, kRow1);
    Box(functions, "chb_KM", "/M", 8, kRow2);
    Box(functions, "chb_KMIR", "/MIR", 8, kRow3);
    Box(functions, "chb_KS", "/S", 81, kRow1);
    Box(functions, "chb_KE", "/E", 81, kRow2);
    Box(functions, "chb_KCREATE", "/CREATE", 81, kRow3);
    Box(functions, "chb_KPURGE", "/PURGE", 155, kRow1);
    Box(functions, "chb_KMOV", "/MOV", 155, kRow2);
    Box(functions, "chb_KMOVE", "/MOVE", 155, kRow3);
    Box(functions, "chb_KFFT", "/FFT", 229, kRow1);
    Box(functions, "chb_KFAT", "/FAT", 229, kRow2);
    Box(functions, "chb_KLEV", "/LEV:", 229, kRow3);
    Edit(functions, "edt_KLEV", 277, kRow3 - 2, 28);

    QGroupBox* info = Group(page, "grb_Dateiinfo", 3, 98, 379, 70);
    Box(info, "chb_KCopyAll", "/COPYALL", 8, kRow1);
    Box(info, "chb_KNOCOPY", "/NOCOPY", 98, kRow1);
    Box(info, "chb_KSEC", "/SEC", 189, kRow1);
    Box(info, "chb_KDCOPY", "/DCOPY:", 280, kRow1);
    Edit(info, "edt_KDCOPY", 342, kRow1 - 2, 32)->setPlaceholderText(QStringLiteral("T"));
    Box(info, "chb_KCopy", "/COPY:", 8, kRow2);
    Letters(info,
            {{"chb_KCopyD", "D"},
             {"chb_KCopyA", "A"},
             {"chb_KCopyT", "T"},
             {"chb_KCopyS", "S"},
             {"chb_KCopyO", "O"},
             {"chb_KCopyU", "U"}},
            98, kRow2);
    Box(info, "chb_KMT", "/MT:", 301, kRow2);
    Edit(info, "edt_KMT", 345, kRow2 - 2, 26);

    QGroupBox* attributes = Group(page, "grb_AAttribute", 3, 170, 270, 70);
    Box(attributes, "chb_KAminus", "/A-:", 8, kRow1);
    Letters(attributes,
            {{"chb_KAminusR", "R"},
             {"chb_KAminusA", "A"},
             {"chb_KAminusS", "S"},
             {"chb_KAminusH", "H"},
             {"chb_KAminusN", "N"},
             {"chb_KAminusT", "T"}},
            64, kRow1);
    Box(attributes, "chb_KAplus", "/A+:", 8, kRow2);
    Letters(attributes,
            {{"chb_KAplusR", "R"},
             {"chb_KAplusA", "A"},
             {"chb_KAplusS", "S"},
             {"chb_KAplusH", "H"},
             {"chb_KAplusN", "N"},
             {"chb_KAplusT", "T"}},
            64, kRow2);

    QGroupBox* retries = Group(page, "grb_Retrys", 282, 170, 100, 70);
    Box(retries, "chb_KR", "/R:", 8, kRow1);
    Edit(retries, "edt_KR", 50, kRow1 - 2, 42);
    Box(retries, "chb_KW", "/W:", 8, kRow2);
    Edit(retries, "edt_KW", 50, kRow2 - 2, 42);
}

void BuildFiltern(QWidget* page) {
    QGroupBox* properties = Group(page, "grb_Eigenschaften", 3, 2, 379, 70);
    Box(properties, "chb_FIS", "/IS", 8, kRow1);
    Box(properties, "chb_FIT", "/IT", 8, kRow2);
    using Caption = std::pair<const char*, const char*>;
    constexpr std::array columns = {56, 105, 154, 203, 252};
    constexpr std::array<Caption, 5> upper = {
        {{"chb_FXJD", "/XJD"}, {"chb_FXJ", "/XJ"}, {"chb_FXN", "/XN"}, {"chb_FXX", "/XX"}, {"chb_FMAX", "/MAX:"}}};
    constexpr std::array<Caption, 5> lower = {
        {{"chb_FXJF", "/XJF"}, {"chb_FXC", "/XC"}, {"chb_FXO", "/XO"}, {"chb_FXL", "/XL"}, {"chb_FMIN", "/MIN:"}}};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        Box(properties, upper[i].first, upper[i].second, columns[i], kRow1);
        Box(properties, lower[i].first, lower[i].second, columns[i], kRow2);
    }
    Edit(properties, "edt_FMAX", 304, kRow1 - 2, 45);
    Label(properties, "lbl_FMAX", 351, kRow1 + 3);
    Edit(properties, "edt_FMIN", 304, kRow2 - 2, 45);
    Label(properties, "lbl_FMIN", 351, kRow2 + 3);

    QGroupBox* attributes = Group(page, "grb_FAttribute", 3, 74, 379, 70);
    Box(attributes, "chb_FIA", "/IA:", 8, kRow1);
    Letters(attributes,
            {{"chb_FIAr", "R"},
             {"chb_FIAa", "A"},
             {"chb_FIAs", "S"},
             {"chb_FIAh", "H"},
             {"chb_FIAc", "C"},
             {"chb_FIAn", "N"},
             {"chb_FIAe", "E"},
             {"chb_FIAt", "T"},
             {"chb_FIAo", "O"}},
            64, kRow1);
    Box(attributes, "chb_FXA", "/XA:", 8, kRow2);
    Letters(attributes,
            {{"chb_FXAr", "R"},
             {"chb_FXAa", "A"},
             {"chb_FXAs", "S"},
             {"chb_FXAh", "H"},
             {"chb_FXAc", "C"},
             {"chb_FXAn", "N"},
             {"chb_FXAe", "E"},
             {"chb_FXAt", "T"},
             {"chb_FXAo", "O"}},
            64, kRow2);

    QGroupBox* names = Group(page, "grb_Namen", 3, 146, 379, 106);
    auto* indicators = new QWidget(names);
    indicators->setObjectName(QStringLiteral("pnl_FEAN"));
    indicators->setGeometry(6, 16, 50, 84);
    Box(indicators, "chb_FIF", "/IF", 2, 0);
    Box(indicators, "chb_FID", "/ID", 2, 20);
    Box(indicators, "chb_FXF", "/XF", 2, 40);
    Box(indicators, "chb_FXD", "/XD", 2, 60);
    auto* list = new QPlainTextEdit(names);
    list->setObjectName(QStringLiteral("red_FListe"));
    list->setGeometry(58, 16, 252, 82);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    Button(names, "sbu_FListe", Picture::List, 312, 16, 60, 24)->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void BuildLog(QWidget* page) {
    QGroupBox* output = Group(page, "grb_Ausgabe", 3, 2, 379, 94);
    using Caption = std::pair<const char*, const char*>;
    using Row = std::array<Caption, 5>;
    constexpr std::array<Row, 3> rows = {{
        {{{"chb_LV", "/V"}, {"chb_LNJH", "/NJH"}, {"chb_LETA", "/ETA"}, {"chb_LNC", "/NC"}, {"chb_LNFL", "/NFL"}}},
        {{{"chb_LTS", "/TS"}, {"chb_LNJS", "/NJS"}, {"chb_LX", "/X"}, {"chb_LNDL", "/NDL"}, {"chb_LL", "/L"}}},
        {{{"chb_LFP", "/FP"},
          {"chb_LNP", "/NP"},
          {"chb_LNS", "/NS"},
          {"chb_LUNICODE", "/UNICODE"},
          {"chb_LTEE", "/TEE"}}},
    }};
    constexpr std::array tops = {kRow1, kRow2, kRow3};
    constexpr std::array columns = {8, 80, 153, 225, 298};
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < columns.size(); ++column) {
            Box(output, rows[row][column].first, rows[row][column].second, columns[column], tops[row]);
        }
    }

    QGroupBox* file = Group(page, "grb_Datei", 3, 98, 379, 72);
    Box(file, "chb_LLOG", "/LOG:", 8, kRow1);
    Box(file, "chb_LLOGplus", "/LOG+:", 98, kRow1);
    Box(file, "chb_LUNILOG", "/UNILOG:", 189, kRow1);
    Box(file, "chb_LUNILOGPlus", "/UNILOG+:", 280, kRow1);
    Edit(file, "edt_LLOG", 6, kRow2, 367);

    QGroupBox* errors = Group(page, "grb_Fehler", 3, 172, 379, 46);
    Box(errors, "chb_LTBD", "/TBD", 8, kRow1);
}

void BuildMonitor(QWidget* page) {
    QGroupBox* monitor = Group(page, "grb_MUeberwachung", 3, 2, 379, 146);
    Box(monitor, "chb_MMON", "/MON:", 8, kRow1);
    Edit(monitor, "edt_MMON", 64, kRow1 - 2, 42);
    Box(monitor, "chb_MMOT", "/MOT:", 8, kRow2);
    Edit(monitor, "edt_MMOT", 64, kRow2 - 2, 42);
    Box(monitor, "chb_MIPG", "/IPG:", 8, kRow3);
    Edit(monitor, "edt_MIPG", 64, kRow3 - 2, 42);
    Box(monitor, "chb_MPF", "/PF", 8, 92);
    Box(monitor, "chb_MRH", "/RH:", 8, 116);
    Edit(monitor, "edt_MRH1", 64, 114, 42);
    Label(monitor, "lbl_MRH", 112, 120);
    Edit(monitor, "edt_MRH2", 134, 114, 42);
    // Our own engine's guard; the job window shows it only where that engine runs the job.
    Box(monitor, "chb_MMAXDEL", "/MAXDEL:", 200, kRow1);
    Edit(monitor, "edt_MMAXDEL", 272, kRow1 - 2, 56);

    // Switches the window does not model, kept from opened files and handed to robocopy as they are.
    QGroupBox* further = Group(page, "grb_Weitere", 3, 150, 379, 46);
    Edit(further, "edt_KWeitere", 8, kRow1 - 2, 363);
}

void BuildImage(QWidget* page) {
    QGroupBox* image = Group(page, "grb_IImage", 3, 2, 379, 110);
    Box(image, "chb_IIMG", "", 8, kRow1);
    Button(image, "sbu_IImage", Picture::History, 4, 55, 21, kPathHeight);
    Edit(image, "edt_IImage", 27, 55, 346, kPathHeight)->setReadOnly(true);
    Edit(image, "edt_Imkisofs", 6, 82, 367);

    QGroupBox* burn = Group(page, "grb_IBrennen", 3, 116, 379, 100);
    Box(burn, "chb_IBurn", "", 8, kRow1);
    Button(burn, "sbu_ISpeed", Picture::History, 4, 44, 21, kPathHeight);
    Edit(burn, "edt_ISpeed", 27, 44, 42, kPathHeight);
    Label(burn, "lbl_ISpeed", 74, 48, 200);
    Button(burn, "sbu_IBrenner", Picture::History, 4, 70, 21, kPathHeight);
    Edit(burn, "edt_IBrenner", 27, 70, 346, kPathHeight);
}

template <typename T>
void SetText(QWidget* page, const char* name, const QString& text) {
    if (auto* widget = page->findChild<T*>(QString::fromLatin1(name))) {
        if constexpr (std::is_same_v<T, QGroupBox>) {
            widget->setTitle(text);
        } else {
            widget->setText(text);
            if constexpr (std::is_same_v<T, QCheckBox> || std::is_same_v<T, QLabel>) {
                widget->adjustSize();
            }
        }
    }
}

} // namespace

void BuildJobPage(options::Tab page, QWidget* parent) {
    switch (page) {
    case options::Tab::Pfade:
        BuildPfade(parent);
        break;
    case options::Tab::Kopieren:
        BuildKopieren(parent);
        break;
    case options::Tab::Filtern:
        BuildFiltern(parent);
        break;
    case options::Tab::Log:
        BuildLog(parent);
        break;
    case options::Tab::Monitor:
        BuildMonitor(parent);
        break;
    case options::Tab::Image:
        BuildImage(parent);
        break;
    }
}

QString JobPageCaption(options::Tab page) {
    switch (page) {
    case options::Tab::Pfade:
        return Tr("Pfade");
    case options::Tab::Kopieren:
        return Tr("Kopieren");
    case options::Tab::Filtern:
        return Tr("Filtern");
    case options::Tab::Log:
        return Tr("Log, Fehler");
    case options::Tab::Monitor:
        return Tr("Monitor");
    case options::Tab::Image:
        return Tr("Image");
    }
    return {};
}

void SetJobPageTexts(options::Tab page, QWidget* w) {
    switch (page) {
    case options::Tab::Pfade:
        SetText<QGroupBox>(w, "grb_Quelle", Tr(" Quellverzeichnis "));
        SetText<QCheckBox>(w, "chb_PNoSD", Tr("Quellverzeichnis nicht in der Jobdatei angeben (/NOSD)"));
        SetText<QLabel>(w, "lbl_SDEig", Tr("Eigenschaften"));
        SetText<QGroupBox>(w, "grb_Ziel", Tr(" Zielverzeichnis "));
        SetText<QCheckBox>(w, "chb_PNoDD", Tr("Zielverzeichnis nicht in der Jobdatei angeben (/NODD)"));
        SetText<QLabel>(w, "lbl_DDEig", Tr("Eigenschaften"));
        break;
    case options::Tab::Kopieren:
        SetText<QGroupBox>(w, "grb_Mode", Tr(" Mode "));
        SetText<QGroupBox>(w, "grb_Funktionen", Tr(" Funktionen "));
        SetText<QGroupBox>(w, "grb_Dateiinfo", Tr(" Dateiinformationen "));
        SetText<QGroupBox>(w, "grb_AAttribute", Tr(" Attribute entfernen und setzen "));
        SetText<QGroupBox>(w, "grb_Retrys", Tr(" Wiederholungen "));
        break;
    case options::Tab::Filtern:
        SetText<QGroupBox>(w, "grb_Eigenschaften", Tr(" Eigenschaften "));
        SetText<QGroupBox>(w, "grb_FAttribute", Tr(" Attribute "));
        SetText<QGroupBox>(w, "grb_Namen", Tr(" Ein- und auszuschließende Namen "));
        SetText<QToolButton>(w, "sbu_FListe", Tr("Liste"));
        SetText<QLabel>(w, "lbl_FMAX", Tr("Byte"));
        SetText<QLabel>(w, "lbl_FMIN", Tr("Byte"));
        break;
    case options::Tab::Log:
        SetText<QGroupBox>(w, "grb_Ausgabe", Tr(" Ausgabe "));
        SetText<QGroupBox>(w, "grb_Datei", Tr(" Datei "));
        SetText<QGroupBox>(w, "grb_Fehler", Tr(" Fehlerbehandlung "));
        break;
    case options::Tab::Monitor:
        SetText<QGroupBox>(w, "grb_MUeberwachung", Tr(" Überwachung "));
        SetText<QLabel>(w, "lbl_MRH", Tr("bis"));
        SetText<QGroupBox>(w, "grb_Weitere", Tr(" Weitere Optionen "));
        break;
    case options::Tab::Image:
        SetText<QGroupBox>(w, "grb_IImage", Tr(" Imageerstellung "));
        SetText<QCheckBox>(w, "chb_IIMG", Tr("Image erstellen"));
        SetText<QGroupBox>(w, "grb_IBrennen", Tr(" Brennen "));
        SetText<QCheckBox>(w, "chb_IBurn", Tr("CD/DVD brennen"));
        SetText<QLabel>(w, "lbl_ISpeed", Tr("x Geschwindigkeit"));
        break;
    }
}

} // namespace talvex::gui
