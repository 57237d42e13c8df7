// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace talvex::gui {

/// Gives the job window's fields and picture buttons the names a screen reader says: check boxes
/// and text buttons are named by their captions, but a field or a button with only a picture has
/// nothing to say. Again after a change of language.
void SetJobWindowAccessibleNames(QWidget* jobWindow);

} // namespace talvex::gui
