// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DeletionWarningDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "gui/QtText.h"

namespace talvex::gui {

DeletionWarningDialog::DeletionWarningDialog(const std::string& question, const std::vector<std::string>& names,
                                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dlg_Loeschwarnung"));
    setModal(true);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    m_question = new QLabel(ToQ(question), this);
    m_question->setObjectName(QStringLiteral("lbl_Frage"));
    m_question->setTextFormat(Qt::PlainText);
    QStringList first;
    QStringList all;
    for (const std::string& name : names) {
        if (static_cast<std::size_t>(first.size()) < kFirstNames) {
            first << ToQ(name);
        }
        all << ToQ(name);
    }
    if (names.size() > kFirstNames) {
        first << QStringLiteral("…");
    }
    m_firstNames = new QLabel(first.join(QLatin1Char('\n')), this);
    m_firstNames->setObjectName(QStringLiteral("lbl_ErsteNamen"));
    m_firstNames->setTextFormat(Qt::PlainText);
    m_list = new QPlainTextEdit(all.join(QLatin1Char('\n')), this);
    m_list->setObjectName(QStringLiteral("mem_Liste"));
    m_list->setReadOnly(true);
    m_list->setVisible(false);
    m_showList = new QPushButton(this);
    m_showList->setObjectName(QStringLiteral("btn_ListeAnzeigen"));
    m_showList->setEnabled(names.size() > kFirstNames);
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("btn_OK"));
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("btn_Abbrechen"));
    m_cancel->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(m_question);
    texts->addWidget(m_firstNames);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_showList);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_showList, &QPushButton::clicked, this, &DeletionWarningDialog::toggleList);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

void DeletionWarningDialog::retranslate() {
    setWindowTitle(Tr("Vor dem Löschen"));
    m_showList->setText(m_list->isVisible() ? Tr("Liste verbergen") : Tr("Liste anzeigen"));
    m_ok->setText(Tr("OK"));
    m_cancel->setText(Tr("Abbrechen"));
}

void DeletionWarningDialog::toggleList() {
    m_list->setVisible(!m_list->isVisible());
    m_firstNames->setVisible(!m_list->isVisible());
    retranslate();
    adjustSize();
}

bool DialogDeletionQuestions::confirmDeletion(const std::string& question, const std::vector<std::string>& names) {
    DeletionWarningDialog dialog(question, names, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace talvex::gui
