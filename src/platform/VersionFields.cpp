// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/VersionFields.h"

#include <array>
#include <utility>

#include "platform/Unicode.h"

namespace talvex::platform {

namespace {

constexpr std::string_view kMagic{"TALVEXVERSION1\0", 15};

// The keys are those of a Windows version resource, so both platforms speak of the same fields.
constexpr std::array<std::pair<std::string_view, std::string VersionTexts::*>, 7> kKeys{{
    {"InternalName", &VersionTexts::internalName},
    {"FileVersion", &VersionTexts::fileVersion},
    {"CompanyName", &VersionTexts::companyName},
    {"FileDescription", &VersionTexts::fileDescription},
    {"LegalCopyright", &VersionTexts::legalCopyright},
    {"Homepage", &VersionTexts::homepage},
    {"Comments", &VersionTexts::comments},
}};

// The next zero-terminated text, or nothing when the terminator is missing.
std::optional<std::string_view> NextText(std::string_view& contents) {
    const std::size_t end = contents.find('\0');
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view text = contents.substr(0, end);
    contents.remove_prefix(end + 1);
    return text;
}

} // namespace

std::optional<VersionFields> ParseVersionSection(std::string_view contents) {
    if (contents.substr(0, kMagic.size()) != kMagic) {
        return std::nullopt;
    }
    contents.remove_prefix(kMagic.size());
    VersionFields fields;
    // Padding after the last pair (the linker aligns sections) reads as empty keys and is skipped;
    // unknown keys are skipped too, so a newer program's section still reads.
    while (!contents.empty()) {
        const auto key = NextText(contents);
        if (!key) {
            break;
        }
        if (key->empty()) {
            continue;
        }
        const auto value = NextText(contents);
        if (!value) {
            break;
        }
        std::string text = SanitizeUtf8(*value);
        if (*key == "PreRelease") {
            fields.preRelease = text == "1";
            continue;
        }
        for (const auto& [name, member] : kKeys) {
            if (*key == name) {
                fields.texts.*member = std::move(text);
                break;
            }
        }
    }
    return fields;
}

} // namespace talvex::platform
