// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/SwitchKeyword.h"

#include <string>

#include "core/formats/Text.h"
#include "core/services/AsciiCase.h"
#include "shared/RobocopySwitches.h"

namespace talvex::formats {

namespace {

using options::ArgumentKind;

// Characters first to last of a value, counted from 1 as characters, not bytes, so an umlaut is
// one; shorter values give what is there.
std::string_view Characters(std::string_view value, std::size_t first, std::size_t last) {
    const auto offsetOf = [value](std::size_t character) {
        std::size_t offset = 0;
        for (std::size_t count = 1; count < character && offset < value.size(); ++count) {
            do {
                ++offset;
            } while (offset < value.size() && (static_cast<unsigned char>(value[offset]) & 0xC0) == 0x80);
        }
        return offset;
    };
    const std::size_t begin = offsetOf(first);
    return value.substr(begin, offsetOf(last + 1) - begin);
}

} // namespace

std::optional<SwitchKeyword> FindSwitchKeyword(std::string_view switchText) {
    if (switchText.empty()) {
        return std::nullopt;
    }
    // The folder lines name the folder option by the switch written when its box is not set.
    for (const options::OptionInfo& folder : options::Options()) {
        if (!folder.unsetSwitch.empty() && EqualsIgnoringAsciiCase(folder.unsetSwitch, switchText)) {
            return SwitchKeyword{&folder, SwitchKind::Path};
        }
    }
    const options::OptionInfo* option = options::FindOptionBySwitch(switchText);
    if (option == nullptr) {
        return std::nullopt;
    }
    switch (option->argument) {
    case ArgumentKind::Flag:
    case ArgumentKind::Path: // /NOSD, /NODD
        return SwitchKeyword{option, SwitchKind::Flag};
    case ArgumentKind::FixedText: // /DCOPY keeps the letters the file gives
    case ArgumentKind::Number:
    case ArgumentKind::NumberAsTyped:
    case ArgumentKind::PaddedNumber:
    case ArgumentKind::File:
        return SwitchKeyword{option, SwitchKind::Value};
    case ArgumentKind::TimeRange:
        return SwitchKeyword{option, SwitchKind::TimeRange};
    case ArgumentKind::Letters:
        return SwitchKeyword{option, SwitchKind::Letters};
    case ArgumentKind::List:
        return SwitchKeyword{option, SwitchKind::List};
    }
    return std::nullopt;
}

std::string FixedTextValue(const options::JobState& job, const options::OptionInfo& option) {
    const std::string_view typed = TrimBlanks(job.text(option.fields[0]));
    return std::string(typed.empty() ? option.fixedText : typed);
}

bool IsRobocopySwitch(std::string_view switchText) {
    if (FindSwitchKeyword(switchText)) {
        return true;
    }
    return switchText.size() > 1 && switchText.front() == '/' &&
           robocopy::FindKnownSwitch(AsciiUpper(switchText.substr(1))) != nullptr;
}

void ApplySwitchValue(options::JobState& job, const SwitchKeyword& keyword, std::string_view value) {
    const options::OptionInfo& option = *keyword.option;
    job.TickAndEnable(option.box);
    if (keyword.kind == SwitchKind::Value) {
        job.setText(option.fields[0], value);
    } else if (keyword.kind == SwitchKind::TimeRange) {
        // Fixed positions: hhmm-hhmm.
        job.setText(option.fields[0], Characters(value, 1, 4));
        job.setText(option.fields[1], Characters(value, 6, 9));
    } else if (keyword.kind == SwitchKind::Letters) {
        const std::string upper = AsciiUpper(value);
        for (const options::Letter& letter : option.letters) {
            if (upper.find(letter.letter) != std::string::npos) {
                job.TickAndEnable(letter.box);
            }
        }
    }
}

} // namespace talvex::formats
