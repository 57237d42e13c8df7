// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace talvex::gui {

/// The program's own pictures for buttons and menus. They are drawn as vector shapes at whatever
/// size is asked for, so they stay sharp on the 60-pixel command buttons and in 16-pixel menus and
/// need neither the desktop's theme nor an image plugin.
enum class Picture {
    New,
    Open,
    Save,
    SaveAs,
    Start,
    Stop,
    Close,
    Exit,
    Info,
    History,
    List,
    LogFull,
    LogSplit,
    Program, ///< the program's own icon: a folder copied onto another
};

[[nodiscard]] QIcon PictureIcon(Picture picture);

} // namespace talvex::gui
