// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/Tfrm_Job.h"

#include <QCheckBox>
#include <QDebug>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <utility>

#include "core/options/OptionCatalogue.h"
#include "core/presentation/EngineSupport.h"
#include "core/presentation/Hints.h"
#include "core/presentation/WindowLayout.h"
#include "core/services/Translate.h"
#include "gui/Pictures.h"
#include "gui/QtText.h"
#include "gui/dialogs/Tfrm_Liste.h"
#include "gui/jobwindow/AccessibleNames.h"
#include "gui/jobwindow/ImagePage.h"
#include "gui/jobwindow/JobPageControl.h"
#include "gui/jobwindow/JobPages.h"
#include "gui/jobwindow/LogView.h"
#include "gui/jobwindow/PathFields.h"
#include "gui/jobwindow/RunPanel.h"

namespace talvex::gui {

namespace {

using options::Control;
using options::ControlKind;
using options::Tab;

// Design geometry of the client area.
constexpr int kPageHeight = 289;
constexpr int kLogTopSplit = kPageHeight + 4; // pnl_Page top + its height + 4
constexpr int kLogButtonStrip = 18;
constexpr int kCaptionBarHeight = 16;

constexpr std::array kPageOrder = {Tab::Pfade, Tab::Kopieren, Tab::Filtern, Tab::Log, Tab::Monitor, Tab::Image};
constexpr int kImagePage = 5;

const char* PageName(Tab page) {
    switch (page) {
    case Tab::Pfade:
        return "tab_Pfade";
    case Tab::Kopieren:
        return "tab_Kopieren";
    case Tab::Filtern:
        return "tab_Filter";
    case Tab::Log:
        return "tab_Log";
    case Tab::Monitor:
        return "tab_Monitor";
    case Tab::Image:
        return "tab_Image";
    }
    return "";
}

} // namespace

Tfrm_Job::Tfrm_Job(const JobWindowServices& services, QWidget* parent)
    : Tfrm_Job(services, std::make_unique<options::JobState>(services.environment), nullptr, parent) {}

Tfrm_Job::Tfrm_Job(const JobWindowServices& services, options::JobState& state, QWidget* parent)
    : Tfrm_Job(services, nullptr, &state, parent) {
    // The owner prepared the state when it made the job and may have read a file or the default
    // job into it since; showing the window must not empty that again.
    m_shownOnce = true;
    m_pathFields->refreshHistoryButtons();
}

Tfrm_Job::Tfrm_Job(JobWindowServices services, std::unique_ptr<options::JobState> ownState, options::JobState* state,
                   QWidget* parent)
    : QWidget(parent), m_services(std::move(services)), m_ownState(std::move(ownState)),
      m_state(state != nullptr ? state : m_ownState.get()), m_bundledEngine(m_services.bundledEngine) {
    setObjectName(QStringLiteral("Tfrm_Job"));
    m_pathFields = new PathFields(*m_state, m_services, this);
    buildFrame();
    buildPages();
    m_pathFields->attachToPage(m_pages->widget(0));
    bindControls();
    m_imagePage = new ImagePage(*m_state, m_services, m_pages->widget(kImagePage), m_pathFields->historyMenu());
    retranslate();
    m_state->addObserver(*this);
    m_captionBar->setText(ToQ(m_state->caption()));
    setWindowTitle(ToQ(m_state->caption()));
    resize(394, 479 + kCaptionBarHeight);
}

Tfrm_Job::~Tfrm_Job() {
    // Qt deletes the children after the members have gone: a field losing the focus then must not
    // reach this window, and the run panel must stop watching a state that may go with them.
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
    delete m_runPanel;
    m_runPanel = nullptr;
    m_state->removeObserver(*this);
}

void Tfrm_Job::showFirstPage() {
    m_pages->setCurrentIndex(0);
}

LogSink& Tfrm_Job::log() {
    return *m_log;
}

QString Tfrm_Job::caption() const {
    return ToQ(m_state->caption());
}

void Tfrm_Job::buildFrame() {
    // Embedded in the main window, the job window has no title bar of its own; this strip stands
    // in for the tool-window caption, so that "[geändert]" stays visible.
    m_captionBar = new QLabel(this);
    m_captionBar->setObjectName(QStringLiteral("lbl_Caption"));
    m_captionBar->setAutoFillBackground(true);
    m_captionBar->setBackgroundRole(QPalette::Mid);
    m_captionBar->setContentsMargins(4, 0, 4, 0);

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("pnl_Client"));
    m_client->installEventFilter(this);

    m_page = new QWidget(m_client);
    m_page->setObjectName(QStringLiteral("pnl_Page"));
    m_pages = new JobPageControl(m_page);
    m_pages->installEventFilter(this);

    m_logPanel = new QWidget(m_client);
    m_logPanel->setObjectName(QStringLiteral("pnl_Log"));
    m_logPanel->installEventFilter(this);
    m_fullButton = new QToolButton(m_logPanel);
    m_fullButton->setObjectName(QStringLiteral("sbu_Seite"));
    m_fullButton->setGeometry(4, 4, 15, 11);
    m_fullButton->setAutoRaise(true);
    m_fullButton->setIcon(PictureIcon(Picture::LogFull));
    m_fullButton->setIconSize(QSize(13, 9));
    m_splitButton = new QToolButton(m_logPanel);
    m_splitButton->setObjectName(QStringLiteral("sbu_Teil"));
    m_splitButton->setGeometry(20, 4, 15, 11);
    m_splitButton->setAutoRaise(true);
    m_splitButton->setIcon(PictureIcon(Picture::LogSplit));
    m_splitButton->setIconSize(QSize(13, 9));
    m_splitButton->setEnabled(false);
    connect(m_fullButton, &QToolButton::clicked, this, &Tfrm_Job::showLogFull);
    connect(m_splitButton, &QToolButton::clicked, this, &Tfrm_Job::showLogSplit);
    m_log = new LogView(m_logPanel);
    if (m_services.formats != nullptr) {
        m_runPanel = new RunPanel(*m_state, *m_services.formats, m_logPanel);
    }
}

void Tfrm_Job::buildPages() {
    for (Tab page : kPageOrder) {
        auto* widget = new QWidget;
        widget->setObjectName(QString::fromLatin1(PageName(page)));
        BuildJobPage(page, widget);
        m_pages->addTab(widget, JobPageCaption(page));
    }
    m_stack = m_pages->findChild<QStackedWidget*>();
    if (m_stack != nullptr) {
        m_stack->installEventFilter(this);
    }
    m_pages->setTabVisible(kImagePage, m_imageView);
    m_pages->setCurrentIndex(0);
    connect(m_pages, &QTabWidget::currentChanged, this, &Tfrm_Job::pageShown);
    for (const char* name : {"edt_PSD", "edt_PDD", "edt_IImage", "edt_LLOG"}) {
        m_client->findChild<QLineEdit*>(QString::fromLatin1(name))->installEventFilter(this);
    }
    for (const char* name : {"edt_PSD", "edt_PDD", "edt_IImage"}) {
        m_client->findChild<QLineEdit*>(QString::fromLatin1(name))->setCursor(Qt::PointingHandCursor);
    }
    connect(m_client->findChild<QLineEdit*>(QStringLiteral("edt_LLOG")), &QLineEdit::editingFinished, this,
            [this] { m_state->finishLogFileText(); });
    auto history = [this](const char* name, PathFields::HistoryTag tag) {
        connect(m_client->findChild<QToolButton*>(QString::fromLatin1(name)), &QToolButton::clicked, this,
                [this, tag] { m_pathFields->showHistory(tag); });
    };
    history("sbu_PHistorieSD", PathFields::HistoryTag::Source);
    history("sbu_PHistorieDD", PathFields::HistoryTag::Destination);
    history("sbu_IImage", PathFields::HistoryTag::Image);
    connect(m_client->findChild<QToolButton*>(QStringLiteral("sbu_FListe")), &QToolButton::clicked, this,
            [this] { EditJobNameLists(*m_state, m_services, this); });
    // Tab runs through the pages first and then to the log below them, as the eye reads the window.
    QWidget* lastOnPages = m_client->findChild<QLineEdit*>(QStringLiteral("edt_IBrenner"));
    QWidget::setTabOrder(lastOnPages, m_fullButton);
    QWidget::setTabOrder(m_fullButton, m_splitButton);
    QWidget::setTabOrder(m_splitButton, m_log);
}

void Tfrm_Job::bindControls() {
    for (const options::ControlInfo& info : options::Controls()) {
        const Control control = info.control;
        auto* widget = m_client->findChild<QWidget*>(ToQ(info.name));
        if (widget == nullptr) {
            qWarning() << "job window has no widget for" << ToQ(info.name);
            continue;
        }
        m_widgets[options::ToIndex(control)] = widget;
        switch (info.kind) {
        case ControlKind::CheckBox:
        case ControlKind::LetterBox:
            if (control == Control::chb_IIMG) {
                break; // the Image tab asks for mkisofs first
            }
            connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, this,
                    [this, control](bool ticked) { m_state->setTicked(control, ticked); });
            break;
        case ControlKind::Edit:
            connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this,
                    [this, control](const QString& text) { m_state->setText(control, text.toStdString()); });
            break;
        case ControlKind::UnicodeEdit:
        case ControlKind::Label:
        case ControlKind::Button:
        case ControlKind::Panel:
        case ControlKind::RichText:
            break;
        }
        mirror(control);
    }
    showEngineOwnOptions();
}

void Tfrm_Job::showEngineOwnOptions() {
    // /MAXDEL is our engine's own switch: robocopy refuses it. A job that carries it still shows it, so that
    // nobody runs it elsewhere unaware.
    const bool shown = m_bundledEngine || m_state->isTicked(Control::chb_MMAXDEL);
    for (const Control control : {Control::chb_MMAXDEL, Control::edt_MMAXDEL}) {
        if (QWidget* widget = m_widgets[options::ToIndex(control)]) {
            widget->setVisible(shown);
        }
    }
}

void Tfrm_Job::mirror(Control control) {
    QWidget* widget = m_widgets[options::ToIndex(control)];
    if (widget == nullptr) {
        return;
    }
    widget->setEnabled(m_state->isEnabled(control));
    switch (options::KindOf(control)) {
    case ControlKind::CheckBox:
    case ControlKind::LetterBox:
        static_cast<QCheckBox*>(widget)->setChecked(m_state->isTicked(control));
        break;
    case ControlKind::Edit:
    case ControlKind::UnicodeEdit:
        static_cast<QLineEdit*>(widget)->setReadOnly(m_state->isReadOnly(control));
        textChanged(control, m_state->text(control));
        break;
    case ControlKind::RichText:
        static_cast<QPlainTextEdit*>(widget)->setReadOnly(m_state->isReadOnly(control));
        textChanged(control, m_state->text(control));
        break;
    case ControlKind::Label:
        textChanged(control, m_state->text(control));
        break;
    case ControlKind::Button:
    case ControlKind::Panel:
        break;
    }
}

void Tfrm_Job::tickedChanged(Control control, bool ticked) {
    if (auto* box = qobject_cast<QCheckBox*>(m_widgets[options::ToIndex(control)])) {
        box->setChecked(ticked);
    }
    if (control == Control::chb_MMAXDEL) {
        showEngineOwnOptions();
    }
}

void Tfrm_Job::enabledChanged(Control control, bool enabled) {
    if (QWidget* widget = m_widgets[options::ToIndex(control)]) {
        widget->setEnabled(enabled);
    }
}

void Tfrm_Job::readOnlyChanged(Control control, bool readOnly) {
    QWidget* widget = m_widgets[options::ToIndex(control)];
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setReadOnly(readOnly);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        text->setReadOnly(readOnly);
    }
}

void Tfrm_Job::textChanged(Control control, std::string_view text) {
    QWidget* widget = m_widgets[options::ToIndex(control)];
    const QString value = ToQ(text);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // Setting an unchanged text would move the cursor of a field the user is typing in.
        if (edit->text() != value) {
            edit->setText(value);
        }
    } else if (auto* list = qobject_cast<QPlainTextEdit*>(widget)) {
        if (list->toPlainText() != value) {
            list->setPlainText(value);
        }
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        // Only the file-system labels carry job data; the other labels are captions of their own.
        // The model keeps the "no folder yet" marker German; it is translated when shown.
        if (control == Control::lbl_SDE || control == Control::lbl_DDE) {
            label->setText(text == options::kNoFileSystemLabel ? Tr(options::kNoFileSystemLabel) : value);
        }
    }
}

void Tfrm_Job::captionChanged(std::string_view caption) {
    const QString text = ToQ(caption);
    m_captionBar->setText(text);
    setWindowTitle(text);
    Q_EMIT captionRefreshed(text);
}

void Tfrm_Job::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
}

void Tfrm_Job::retranslate() {
    for (std::size_t i = 0; i < kPageOrder.size(); ++i) {
        m_pages->setTabText(static_cast<int>(i), JobPageCaption(kPageOrder[i]));
        SetJobPageTexts(kPageOrder[i], m_pages->widget(static_cast<int>(i)));
    }
    // The file-system labels may show the "no folder yet" marker, which is a message.
    for (const Control label : {Control::lbl_SDE, Control::lbl_DDE}) {
        textChanged(label, m_state->text(label));
    }
    m_state->refreshCaption();
    applyHints();
    SetJobWindowAccessibleNames(this);
    // A window without format services has no run panel.
    if (m_pathFields != nullptr) {
        m_pathFields->retranslate();
    }
    if (m_runPanel != nullptr) {
        m_runPanel->retranslate();
    }
}

void Tfrm_Job::setTooltipps(bool on) {
    m_tooltipps = on;
    applyHints();
}

void Tfrm_Job::setBundledEngine(bool on) {
    m_bundledEngine = on;
    showEngineOwnOptions();
    applyHints();
}

void Tfrm_Job::applyHints() {
    const presentation::HintMode mode = m_tooltipps ? presentation::HintMode::Balloon : presentation::HintMode::Plain;
    // Balloons name the page they explain; the title follows the page shown.
    const QString title = m_pages->tabText(m_pages->currentIndex()).toHtmlEscaped();
    for (const options::ControlInfo& info : options::Controls()) {
        QWidget* widget = m_widgets[options::ToIndex(info.control)];
        const char* hint = presentation::HintText(info.control, mode);
        if (widget == nullptr) {
            continue;
        }
        if (hint == nullptr) {
            widget->setToolTip(QString());
            continue;
        }
        QString text = Tr(hint).toHtmlEscaped();
        if (m_bundledEngine && presentation::IgnoredByBundledEngine(info.control)) {
            text += QStringLiteral("<br><i>") + Tr(presentation::kIgnoredByEngineNote).toHtmlEscaped() +
                    QStringLiteral("</i>");
        }
        // Long texts wrap at 300 pixels; short ones keep their own width.
        const QString width = text.size() > (m_tooltipps ? 50 : 35) ? QStringLiteral(" width=\"300\"") : QString();
        if (m_tooltipps) {
            widget->setToolTip(QStringLiteral("<table%1 style=\"background-color:#ffffdd; color:#0000aa\" "
                                              "cellpadding=\"3\"><tr><td><b>%2</b><br>%3</td></tr></table>")
                                   .arg(width, title, text));
        } else {
            // The plain hint window: larger type on the window colour.
            widget->setToolTip(QStringLiteral("<table%1 style=\"background-color:%2; font-family:Arial; "
                                              "font-size:12pt\" cellpadding=\"3\"><tr><td>%3</td></tr></table>")
                                   .arg(width, palette().color(QPalette::Window).name(), text));
        }
    }
}

void Tfrm_Job::setImageView(bool on) {
    m_imageView = on;
    m_pages->setTabVisible(kImagePage, on);
    updateTabWidth();
}

void Tfrm_Job::showLogFull() {
    m_page->hide();
    m_fullButton->setEnabled(false);
    m_splitButton->setEnabled(true);
    layoutClient();
}

void Tfrm_Job::showLogSplit() {
    m_page->show();
    m_fullButton->setEnabled(true);
    m_splitButton->setEnabled(false);
    layoutClient();
}

void Tfrm_Job::layoutClient() {
    m_captionBar->setGeometry(0, 0, width(), kCaptionBarHeight);
    m_client->setGeometry(0, kCaptionBarHeight, width(), std::max(0, height() - kCaptionBarHeight));
    const int clientWidth = m_client->width();
    const int clientHeight = m_client->height();
    m_page->setGeometry(0, 0, clientWidth, kPageHeight);
    m_pages->setGeometry(0, 0, clientWidth, kPageHeight);
    // Split view: the log starts below the pages; full view: it takes the pages' place.
    const int logTop = m_page->isHidden() ? 0 : kLogTopSplit;
    m_logPanel->setGeometry(0, logTop, clientWidth, clientHeight - logTop - 2);
}

void Tfrm_Job::layoutLogPanel() {
    const int panelHeight = m_runPanel != nullptr ? RunPanel::kHeight : 0;
    const int logHeight = std::max(0, m_logPanel->height() - kLogButtonStrip - panelHeight);
    m_log->setGeometry(0, kLogButtonStrip, m_logPanel->width(), logHeight);
    if (m_runPanel != nullptr) {
        m_runPanel->setGeometry(0, kLogButtonStrip + logHeight, m_logPanel->width(), panelHeight);
    }
}

void Tfrm_Job::updateTabWidth() {
    m_pages->setTabWidth(presentation::JobPageTabWidth(m_pages->width(), m_imageView));
}

void Tfrm_Job::layoutPages() {
    if (m_stack == nullptr) {
        return;
    }
    // Every page has the stack's size, also those not shown, so all of them are laid out at once.
    const int pageWidth = m_stack->contentsRect().width();
    for (std::size_t i = 0; i < kPageOrder.size(); ++i) {
        QWidget* page = m_pages->widget(static_cast<int>(i));
        for (const presentation::Placement& placement : presentation::LayoutJobPage(kPageOrder[i], pageWidth)) {
            auto* widget = page->findChild<QWidget*>(ToQ(placement.control));
            if (widget == nullptr) {
                continue;
            }
            QRect geometry = widget->geometry();
            if (placement.left) {
                geometry.moveLeft(*placement.left);
            }
            if (placement.width) {
                geometry.setWidth(*placement.width);
            }
            widget->setGeometry(geometry);
        }
    }
}

void Tfrm_Job::pageShown(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kPageOrder.size()) {
        return;
    }
    if (index == kImagePage && m_imagePage != nullptr) {
        m_imagePage->shown();
    }
    // Balloons are titled with the page they are on.
    if (m_tooltipps) {
        applyHints();
    }
}

bool Tfrm_Job::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == m_client) {
            layoutClient();
        } else if (watched == m_pages) {
            // The filter runs before the tab control lays itself out; the new width is already set.
            updateTabWidth();
        } else if (watched == m_stack) {
            layoutPages();
        } else if (watched == m_logPanel) {
            layoutLogPanel();
        }
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        openChooser(watched);
    } else if (event->type() == QEvent::KeyPress && pathFieldKey(watched, *static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool Tfrm_Job::openChooser(const QObject* field) {
    if (field == m_widgets[options::ToIndex(Control::edt_PSD)]) {
        m_pathFields->chooseSourceFolder();
    } else if (field == m_widgets[options::ToIndex(Control::edt_PDD)]) {
        m_pathFields->chooseDestinationFolder();
    } else if (field == m_widgets[options::ToIndex(Control::edt_IImage)]) {
        m_pathFields->chooseImageFile();
    } else if (field == m_widgets[options::ToIndex(Control::edt_LLOG)]) {
        m_pathFields->chooseLogFile();
    } else {
        return false;
    }
    return true;
}

bool Tfrm_Job::pathFieldKey(const QObject* field, const QKeyEvent& key) {
    // The folder and image fields take no typing, so Return and Space are free to open the
    // chooser; the log-file field is typed in and opens it only with F4, as a combo box would.
    const bool typedIn = field == m_widgets[options::ToIndex(Control::edt_LLOG)];
    if (key.key() == Qt::Key_Down && key.modifiers() == Qt::AltModifier && !typedIn) {
        const auto history = field == m_widgets[options::ToIndex(Control::edt_PSD)] ? PathFields::HistoryTag::Source
                             : field == m_widgets[options::ToIndex(Control::edt_PDD)]
                                 ? PathFields::HistoryTag::Destination
                                 : PathFields::HistoryTag::Image;
        m_pathFields->showHistory(history);
        return true;
    }
    const bool opens = key.key() == Qt::Key_F4 ||
                       (!typedIn && key.modifiers() == Qt::NoModifier &&
                        (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space));
    return opens && openChooser(field);
}

void Tfrm_Job::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    layoutClient();
    // The show sequence runs once: a later showing (the main window restored from its icon)
    // must not throw away the folders the user has chosen.
    runShowSequence();
}

void Tfrm_Job::runShowSequence() {
    if (!m_shownOnce) {
        m_shownOnce = true;
        m_state->prepareForShow();
        m_pathFields->refreshHistoryButtons();
    }
}

void Tfrm_Job::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutClient();
}

} // namespace talvex::gui
