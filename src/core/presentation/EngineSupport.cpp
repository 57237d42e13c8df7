// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/EngineSupport.h"

#include <string_view>

#include "core/options/SwitchRegistry.h"
#include "shared/RobocopySwitches.h"

namespace talvex::presentation {

bool IgnoredByBundledEngine(options::Control control) {
    const options::ControlKind kind = options::KindOf(control);
    if (kind != options::ControlKind::CheckBox && kind != options::ControlKind::LetterBox) {
        return false;
    }
    const options::OptionInfo* option = options::FindOption(options::OptionOfLetter(control));
    if (option == nullptr || option->argument == options::ArgumentKind::Path) {
        return false; // /NOSD and /NODD only keep a folder out of the job file
    }
    std::string_view name = option->switchName;
    if (name.starts_with('/')) {
        name.remove_prefix(1);
    }
    for (const robocopy::KnownSwitch& known : robocopy::kKnownSwitches) {
        if (known.name == name) {
            return known.kind == robocopy::SwitchKind::Ignored || known.kind == robocopy::SwitchKind::IgnoredValue;
        }
    }
    return false;
}

} // namespace talvex::presentation
