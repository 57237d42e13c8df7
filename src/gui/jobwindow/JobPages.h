// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "core/options/Control.h"

namespace talvex::gui {

/// Creates the groups and controls of one tab page of the job window at their design positions,
/// each named by its control name. Texts that change with the language are set by
/// `SetJobPageTexts`; the switch captions of the boxes are set here, since they never translate.
void BuildJobPage(options::Tab page, QWidget* parent);

/// Sets the translatable texts of a page (tab caption excepted), as each showing of the page does.
void SetJobPageTexts(options::Tab page, QWidget* w); // w: the page widget

/// The translated caption of a page's tab.
[[nodiscard]] QString JobPageCaption(options::Tab page);

} // namespace talvex::gui
