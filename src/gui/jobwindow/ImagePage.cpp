// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/jobwindow/ImagePage.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QWidget>

#include "gui/QtText.h"
#include "gui/jobwindow/Tfrm_Job.h"

namespace talvex::gui {

using options::Control;

ImagePage::ImagePage(options::JobState& state, const JobWindowServices& services, QWidget* page, QMenu* menu)
    : QObject(page), m_state(state), m_rules(state, {services.userInterface, services.paths, services.store,
                                                     services.burners, services.searchFolders}),
      m_page(page), m_menu(menu) {
    connect(page->findChild<QCheckBox*>(QStringLiteral("chb_IIMG")), &QCheckBox::clicked, this,
            [this](bool ticked) { m_rules.imageClicked(ticked); });
    connect(button("sbu_ISpeed"), &QToolButton::clicked, this, &ImagePage::showSpeedMenu);
    connect(button("sbu_IBrenner"), &QToolButton::clicked, this, &ImagePage::showBurnerMenu);
    auto* mkisofs = page->findChild<QLineEdit*>(QStringLiteral("edt_Imkisofs"));
    mkisofs->installEventFilter(this);
    mkisofs->setCursor(Qt::PointingHandCursor);
    // The field shows a path or a request to choose one; it is never typed into.
    mkisofs->setReadOnly(true);
}

QToolButton* ImagePage::button(const char* name) const {
    return m_page->findChild<QToolButton*>(QString::fromLatin1(name));
}

void ImagePage::showSpeedMenu() {
    showMenu(media::SpeedEntries(), Control::edt_ISpeed, "sbu_ISpeed", &media::ImageTabRules::chooseSpeed);
}

void ImagePage::showBurnerMenu() {
    showMenu(m_rules.burners(), Control::edt_IBrenner, "sbu_IBrenner", &media::ImageTabRules::chooseBurner);
}

void ImagePage::showMenu(const std::vector<std::string>& entries, Control field, const char* buttonName,
                         void (media::ImageTabRules::*choose)(const std::string&)) {
    if (entries.empty() || m_menu == nullptr) {
        return;
    }
    m_menu->clear();
    const std::string& current = m_state.text(field);
    for (const std::string& entry : entries) {
        QAction* item = m_menu->addAction(QString(ToQ(entry)).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setCheckable(true);
        item->setChecked(!current.empty() && entry == current);
        connect(item, &QAction::triggered, this, [this, choose, entry] { (m_rules.*choose)(entry); });
    }
    QToolButton* anchor = button(buttonName);
    m_menu->popup(anchor->mapToGlobal(QPoint(0, anchor->height())));
}

bool ImagePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        watched->objectName() == QLatin1String("edt_Imkisofs")) {
        m_rules.chooseMkisofs();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace talvex::gui
