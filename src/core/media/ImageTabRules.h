// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/options/JobState.h"
#include "core/services/UserInterface.h"
#include "core/settings/IniStore.h"
#include "core/settings/PathSettings.h"

namespace talvex::media {

/// What the Image tab needs from outside; everything must outlive the rules.
struct ImageTabServices {
    UserInterface& ui;
    /// The settings store and its path values; none in a window without settings, which then
    /// remembers nothing.
    settings::PathSettings* paths = nullptr;
    settings::IniStore* store = nullptr;
    /// The burner menu's lines (`BuildBurnerList`), made once for the window.
    std::vector<std::string> burners;
    /// Where a program is looked for: the program's folder first, then PATH.
    std::vector<std::string> searchFolders;
};

/// The speed menu's entries, in order.
[[nodiscard]] const std::vector<std::string>& SpeedEntries();

/// The choices behind the Image tab: ticking "Image erstellen" with the mkisofs chooser, the speed
/// and burner menus and the settings they are kept in. Every choice goes into the job's state.
class ImageTabRules final {
public:
    /// `job` must outlive the rules.
    ImageTabRules(options::JobState& job, ImageTabServices services);

    /// chb_IIMG clicked: ticking it asks for mkisofs first when none is chosen; without one the box
    /// does not stay ticked. The image history button follows.
    void imageClicked(bool ticked);
    /// The mkisofs chooser; a confirmed existing file goes into edt_Imkisofs and "Image"/"mkisofs".
    void chooseMkisofs();
    /// The tab is shown: mkisofs, speed and burner from the settings, the history button's state.
    void shown();

    void chooseSpeed(const std::string& speed);
    void chooseBurner(const std::string& burner);
    [[nodiscard]] const std::vector<std::string>& burners() const { return m_services.burners; }

private:
    [[nodiscard]] bool mkisofsChosen() const;
    void refreshHistoryButton();
    [[nodiscard]] std::string readSetting(std::string_view section, std::string_view key) const;

    options::JobState& m_job;
    ImageTabServices m_services;
};

} // namespace talvex::media
