// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/Tfrm_InfoBox.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <utility>

#include "core/presentation/Languages.h"
#include "core/services/Translate.h"
#include "core/services/VersionInfo.h"
#include "gui/Application.h"
#include "gui/Pictures.h"
#include "gui/QtText.h"

namespace talvex::gui {

namespace {

constexpr int kClientWidth = 392;
constexpr int kHeightWithoutVersion = 130;
constexpr int kHeightWithVersion = 160;
constexpr int kTranslatorLines = 20;

QWidget* WhitePanel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(geometry);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    panel->setPalette(palette);
    return panel;
}

// The description is drawn large, but a long one must not lose its ends: the font shrinks to fit.
void FitFont(QLabel* label) {
    QFont font = label->font();
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(label->text()) > label->width()) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    label->setFont(font);
}

QLabel* AddLabel(QWidget* parent, const char* name, const QRect& geometry, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

} // namespace

Tfrm_InfoBox::Tfrm_InfoBox(const std::string& programFile, QWidget* parent, UrlOpener openUrl)
    : QDialog(parent), m_openUrl(std::move(openUrl)) {
    setObjectName(QStringLiteral("Tfrm_InfoBox"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    if (!m_openUrl) {
        m_openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    }

    QWidget* top = WhitePanel(this, "Panel1", QRect(8, 8, 377, 80));
    auto* icon = AddLabel(top, "Icon", QRect(9, 14, 32, 32), Qt::AlignHCenter);
    icon->setPixmap(PictureIcon(Picture::Start).pixmap(32, 32));
    m_description = AddLabel(top, "Beschreibung", QRect(57, 20, 313, 21), Qt::AlignHCenter);
    QFont large = LogFont();
    large.setPixelSize(19);
    m_description->setFont(large);
    m_buildNote = AddLabel(top, "Compiler", QRect(8, 60, 218, 13));
    m_version = AddLabel(top, "VersionNr", QRect(232, 60, 137, 13), Qt::AlignRight);

    m_contactPanel = WhitePanel(this, "Panel2", QRect(8, 94, 377, 26));
    m_contactLabel = AddLabel(m_contactPanel, "lbl_Kontakt", QRect(8, 6, 80, 13));
    m_contact = AddLabel(m_contactPanel, "lbl_KontaktText", QRect(90, 6, 283, 13));
    m_translatorLabel = AddLabel(m_contactPanel, "lbl_Uebersetzer", QRect(8, 24, 80, 13));
    m_translator = AddLabel(m_contactPanel, "lbl_UebersetzerText", QRect(90, 24, 283, 13));

    m_copyright = AddLabel(this, "Copyright", QRect(8, 136, 290, 13));
    m_copyright->installEventFilter(this);
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setGeometry(308, 128, 75, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    VersionInfo info;
    m_hasVersion = ReadVersionInfo(programFile, true, info);
    if (m_hasVersion) {
        m_internalName = ToQ(info.internalName);
        m_homepage = ToQ(info.homepage);
        m_version->setText(ToQ(info.fileVersion));
        m_description->setText(ToQ(info.fileDescription));
        FitFont(m_description);
        m_buildNote->setText(ToQ(info.comments));
        m_copyright->setText(ToQ(info.legalCopyright));
        m_copyright->setCursor(Qt::PointingHandCursor);
    }
    m_contactPanel->setVisible(m_hasVersion);
    retranslate();
}

void Tfrm_InfoBox::retranslate() {
    m_ok->setText(Tr("OK"));
    if (!m_hasVersion) {
        setWindowTitle(Tr("Info"));
        m_description->setText(Tr("Beschreibung"));
        m_buildNote->setText(Tr("Erstellt"));
        m_version->setText(Tr("Versionsnummer"));
        m_copyright->setText(Tr("Copyright"));
        setFixedSize(kClientWidth, kHeightWithoutVersion);
        return;
    }
    setWindowTitle(QStringLiteral("%1 %2").arg(Tr("Über"), m_internalName));
    m_contactLabel->setText(Tr("Kontakt:"));
    m_contact->setText(Tr("Die Talvex-Entwickler <talvex@talvex.invalid>"));
    // The translator of the catalogue in use; the German original has none.
    const QString translator = ToQ(presentation::ParseCatalogueHeader(CurrentCatalogueHeader()).translator);
    m_translatorLabel->setText(Tr("Übersetzer:"));
    m_translator->setText(translator);
    const bool withTranslator = !translator.isEmpty();
    m_translatorLabel->setVisible(withTranslator);
    m_translator->setVisible(withTranslator);
    m_contactPanel->resize(377, withTranslator ? 44 : 26);
    setFixedSize(kClientWidth, kHeightWithVersion + (withTranslator ? kTranslatorLines : 0));
}

void Tfrm_InfoBox::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The legal notice and the button keep their distance to the bottom edge.
    m_copyright->move(m_copyright->x(), height() - 22);
    m_ok->move(m_ok->x(), height() - 32);
}

void Tfrm_InfoBox::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
}

bool Tfrm_InfoBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_copyright && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !m_homepage.isEmpty()) {
        m_openUrl(QUrl(m_homepage));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace talvex::gui
