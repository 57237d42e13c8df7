// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/options/JobEnvironment.h"

namespace talvex::formats::testing {

/// A world without mkisofs or burning tools: the Image tab plays no part in the formats.
class NoFilesEnvironment final : public options::JobEnvironment {
public:
    [[nodiscard]] bool FileExists(const std::string& /*path*/) const override { return false; }
};

/// The bytes of lines as they are saved: each followed by CR LF.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace talvex::formats::testing
