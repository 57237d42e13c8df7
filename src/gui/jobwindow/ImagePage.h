// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include "core/media/ImageTabRules.h"

class QMenu;
class QToolButton;
class QWidget;

namespace talvex::gui {

struct JobWindowServices;

/// The Image tab on screen: the image box with its mkisofs chooser, and the speed and burner
/// menus (in the history menu pmn_Historie, which the path fields share). What a choice does
/// belongs to the core's `ImageTabRules`.
class ImagePage final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImagePage)

public:
    /// `page` holds the tab's widgets (found by name); `menu` is the window's history menu.
    ImagePage(options::JobState& state, const JobWindowServices& services, QWidget* page, QMenu* menu);
    ~ImagePage() override = default;

    /// The tab has come to the front.
    void shown() { m_rules.shown(); }
    void showSpeedMenu();
    void showBurnerMenu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMenu(const std::vector<std::string>& entries, options::Control field, const char* buttonName,
                  void (media::ImageTabRules::*choose)(const std::string&));
    [[nodiscard]] QToolButton* button(const char* name) const;

    options::JobState& m_state;
    media::ImageTabRules m_rules;
    QPointer<QWidget> m_page;
    QPointer<QMenu> m_menu;
};

} // namespace talvex::gui
