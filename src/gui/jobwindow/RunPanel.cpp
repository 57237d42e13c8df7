// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/RunPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>

#include "core/exec/JobExecutor.h"
#include "core/output/ProgressTracker.h"
#include "core/presentation/CommandPreview.h"
#include "gui/QtText.h"

namespace talvex::gui {

namespace {

constexpr int kRow = 24;
constexpr int kGap = 2;
constexpr int kBarWidth = 140;

QString ColourName(exec::RunSeverity severity) {
    const Rgb rgb = ToRgb(exec::ColourOf(severity));
    return QColor(rgb.red, rgb.green, rgb.blue).name();
}

} // namespace

RunPanel::RunPanel(options::JobState& job, const formats::FormatServices& formats, QWidget* parent)
    : QWidget(parent), m_job(job), m_formats(formats) {
    setObjectName(QStringLiteral("pnl_Run"));
    m_preview = new QLineEdit(this);
    m_preview->setObjectName(QStringLiteral("edt_Befehlszeile"));
    m_preview->setReadOnly(true);
    m_copy = new QPushButton(this);
    m_copy->setObjectName(QStringLiteral("btn_BefehlszeileKopieren"));
    m_simulate = new QPushButton(this);
    m_simulate->setObjectName(QStringLiteral("btn_Simulieren"));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("pgb_Fortschritt"));
    m_bar->setRange(0, 1000);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lbl_Ergebnis"));
    m_status->setTextFormat(Qt::PlainText);

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &RunPanel::refreshPreview);
    connect(m_copy, &QPushButton::clicked, this, &RunPanel::copyPreview);
    connect(m_simulate, &QPushButton::clicked, this, &RunPanel::simulateRequested);
    m_job.addObserver(*this);
    retranslate();
    layoutRows();
}

RunPanel::~RunPanel() {
    m_job.removeObserver(*this);
}

void RunPanel::retranslate() {
    m_copy->setText(Tr("Befehlszeile kopieren"));
    m_copy->setToolTip(Tr("Kopiert die Befehlszeile, die Start ausführen würde, in die Zwischenablage."));
    m_simulate->setText(Tr("Simulieren"));
    m_simulate->setToolTip(Tr("Führt den Job mit /L aus: zeigt, was kopiert und gelöscht würde, ohne etwas zu "
                              "verändern (Umschalt+F5)."));
    m_preview->setAccessibleName(Tr("Befehlszeile"));
    m_bar->setAccessibleName(Tr("Fortschritt"));
    refreshPreview();
}

void RunPanel::tickedChanged(options::Control /*control*/, bool /*ticked*/) {
    m_refresh.start();
}

void RunPanel::enabledChanged(options::Control /*control*/, bool /*enabled*/) {
    m_refresh.start();
}

void RunPanel::textChanged(options::Control /*control*/, std::string_view /*text*/) {
    m_refresh.start();
}

void RunPanel::optionChanged() {
    m_refresh.start();
}

void RunPanel::refreshPreview() {
    const presentation::CommandPreview preview = presentation::PreviewCommandLine(m_job, m_formats);
    m_complete = preview.complete;
    m_preview->setText(ToQ(preview.text));
    m_preview->setCursorPosition(0);
    // What is missing is said in grey, so that it is not taken for a line to copy.
    m_preview->setStyleSheet(preview.complete ? QString() : QStringLiteral("color: gray"));
    m_copy->setEnabled(preview.complete);
}

void RunPanel::copyPreview() {
    if (m_complete) {
        QApplication::clipboard()->setText(m_preview->text());
    }
}

void RunPanel::showProgress(const output::Progress& progress, std::chrono::system_clock::duration elapsed,
                            bool counting) {
    m_status->setStyleSheet(QString());
    if (counting) {
        m_bar->setRange(0, 0);
        m_status->setText(Tr("Zähle vorab, was zu tun ist ..."));
        return;
    }
    const auto fraction = progress.fraction();
    if (fraction) {
        m_bar->setRange(0, 1000);
        m_bar->setValue(static_cast<int>(*fraction * 1000));
    } else {
        m_bar->setRange(0, 0);
    }
    m_status->setText(ToQ(output::ProgressText(progress, elapsed)));
}

void RunPanel::showResult(const exec::RunOutcome& outcome) {
    m_bar->setRange(0, 1000);
    m_bar->setValue(outcome.ran && !outcome.simulated ? 1000 : 0);
    if (!outcome.ran) {
        m_status->clear();
        return;
    }
    // A simulation that worked says what the run would do; one that failed says why, as a run does.
    QString text = ToQ(outcome.result.text);
    if (outcome.simulated) {
        text = outcome.result.severity == exec::RunSeverity::Failure || outcome.simulation.empty()
                   ? Tr("Simulation: ") + text
                   : ToQ(outcome.simulation);
    }
    m_status->setText(text);
    // The strip is narrow; the whole sentence stays at hand.
    m_status->setToolTip(text);
    m_status->setStyleSheet(QStringLiteral("color: %1; font-weight: bold").arg(ColourName(outcome.result.severity)));
}

void RunPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutRows();
}

void RunPanel::layoutRows() {
    const int copyWidth = m_copy->sizeHint().width();
    const int simulateWidth = m_simulate->sizeHint().width();
    const int previewWidth = std::max(40, width() - copyWidth - simulateWidth - 2 * kGap);
    m_preview->setGeometry(0, 0, previewWidth, kRow);
    m_copy->setGeometry(previewWidth + kGap, 0, copyWidth, kRow);
    m_simulate->setGeometry(previewWidth + copyWidth + 2 * kGap, 0, simulateWidth, kRow);
    const int top = kRow + kGap;
    m_bar->setGeometry(0, top + 4, kBarWidth, kRow - 8);
    m_status->setGeometry(kBarWidth + 6, top, std::max(0, width() - kBarWidth - 6), kRow);
}

} // namespace talvex::gui
