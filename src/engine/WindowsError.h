// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace robocopy {

// An error as robocopy reports it: the Windows number that log readers and scripts know, and its
// message. The POSIX reason follows in parentheses, so nothing the system said is hidden.
struct WindowsError {
    unsigned code = 0;
    std::string message;
};

// errno values without a Windows counterpart keep their own number and text.
[[nodiscard]] WindowsError FromErrno(int errnoValue, bool folder);

// A name Windows would refuse: robocopy gives up on such a log file name with this error.
[[nodiscard]] WindowsError InvalidNameError();

} // namespace robocopy
