// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/QtUserInterface.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>

#include "gui/QtText.h"

namespace talvex::gui {

namespace {

// "Logdateien (*.log);;Alle Dateien (*.*)": Qt's filter string from the core's filter list.
QString FilterText(const FileDialogRequest& request, QString* selected) {
    QStringList filters;
    for (std::size_t i = 0; i < request.filters.size(); ++i) {
        const FileFilter& filter = request.filters[i];
        QStringList patterns;
        for (const std::string& pattern : filter.patterns) {
            patterns << ToQ(pattern);
        }
        // The captions already name their patterns ("ISO-Imagedateien (*.iso)"); Qt reads the
        // patterns from the last parentheses, so they are added only when missing.
        QString caption = ToQ(filter.caption);
        if (!caption.contains(QLatin1Char('('))) {
            caption += QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        }
        filters << caption;
        if (static_cast<int>(i) == request.selectedFilter) {
            *selected = caption;
        }
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<FileDialogResult> Result(const QString& path, const QString& selected, const QString& filterText) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    const int index = static_cast<int>(filterText.split(QStringLiteral(";;")).indexOf(selected));
    return FileDialogResult{path.toStdString(), std::max(index, 0)};
}

// "bat" from "Robocopy Batch/Job-Dateien (*.bat)"; empty for "*.*" and several patterns.
QString SuffixOf(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString StartPath(const FileDialogRequest& request) {
    if (request.initialName.empty()) {
        return ToQ(request.initialFolder);
    }
    return ToQ(request.initialFolder) + QLatin1Char('/') + ToQ(request.initialName);
}

} // namespace

Answer QtUserInterface::showMessage(MessageKind kind, const std::string& caption, const std::string& text,
                                    Buttons buttons) {
    QMessageBox box(m_parent);
    box.setWindowTitle(ToQ(caption));
    box.setText(ToQ(text));
    switch (kind) {
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<FileDialogResult> QtUserInterface::chooseFileToOpen(const FileDialogRequest& request) {
    QString selected;
    const QString filters = FilterText(request, &selected);
    const QString path =
        QFileDialog::getOpenFileName(m_parent, ToQ(request.title), StartPath(request), filters, &selected);
    return Result(path, selected, filters);
}

std::optional<FileDialogResult> QtUserInterface::chooseFileToSave(const FileDialogRequest& request) {
    QString selected;
    const QString filters = FilterText(request, &selected);
    QFileDialog dialog(m_parent, ToQ(request.title), StartPath(request), filters);
    dialog.setObjectName(QStringLiteral("dlg_Speichern"));
    // Qt's own dialog: the desktop's cannot take the check box, nor other texts for its controls.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setLabelText(QFileDialog::LookIn, Tr("Speichern in"));
    dialog.setLabelText(QFileDialog::Accept, Tr("Speichern"));
    if (!selected.isEmpty()) {
        dialog.selectNameFilter(selected);
    }
    // The name gets the chosen layout's extension, so that the overwrite question asks about the
    // file that is really written.
    dialog.setDefaultSuffix(SuffixOf(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOf(filter)); });
    QCheckBox* option = nullptr;
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()); grid != nullptr && !request.optionLabel.empty()) {
        option = new QCheckBox(ToQ(request.optionLabel), &dialog);
        option->setObjectName(QStringLiteral("chb_Option"));
        option->setChecked(request.optionChecked);
        grid->addWidget(option, grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    std::optional<FileDialogResult> result =
        Result(dialog.selectedFiles().constFirst(), dialog.selectedNameFilter(), filters);
    if (result && option != nullptr) {
        result->optionChecked = option->isChecked();
    }
    return result;
}

std::optional<std::string> QtUserInterface::chooseFolder(const std::string& title, const std::string& initialFolder,
                                                         bool allowNewFolder) {
    QFileDialog dialog(m_parent, ToQ(title), ToQ(initialFolder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    // Qt's own dialog, so that the new-folder button can really be left out for the source.
    dialog.setOption(QFileDialog::DontUseNativeDialog, !allowNewFolder);
    dialog.setOption(QFileDialog::ReadOnly, !allowNewFolder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace talvex::gui
