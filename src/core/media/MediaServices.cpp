// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/media/MediaServices.h"

namespace talvex::media {

std::string ProgramWord(const std::string& program) {
    if (program.find(' ') == std::string::npos) {
        return program;
    }
    return '"' + program + '"';
}

} // namespace talvex::media
