// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The switches robocopy understands, as the copy engine reads them. The engine parses with this list;
// the core checks at compile time that every switch its job files and command lines carry is one of
// them, so the program cannot offer a switch its own engine would refuse. Header-only and free of
// the core, so the engine stays free of it too.

#include <array>
#include <optional>
#include <string_view>

namespace robocopy {

/// What a switch takes, and whether the engine carries it out.
enum class SwitchKind : unsigned char {
    Flag,
    Value,        ///< needs ":" and a value
    List,         ///< takes the following names
    Ignored,      ///< accepted, not carried out on this system
    IgnoredValue, ///< as Ignored, with a value
    Usage,
};

struct KnownSwitch {
    std::string_view name; ///< upper case, without "/" and argument: "MIR", "LOG+"
    SwitchKind kind;
};

inline constexpr std::array kKnownSwitches{
    KnownSwitch{"S", SwitchKind::Flag},
    KnownSwitch{"E", SwitchKind::Flag},
    KnownSwitch{"MIR", SwitchKind::Flag},
    KnownSwitch{"PURGE", SwitchKind::Flag},
    KnownSwitch{"MOV", SwitchKind::Flag},
    KnownSwitch{"MOVE", SwitchKind::Flag},
    KnownSwitch{"CREATE", SwitchKind::Flag},
    KnownSwitch{"L", SwitchKind::Flag},
    KnownSwitch{"XO", SwitchKind::Flag},
    KnownSwitch{"XN", SwitchKind::Flag},
    KnownSwitch{"XC", SwitchKind::Flag},
    KnownSwitch{"XX", SwitchKind::Flag},
    KnownSwitch{"XL", SwitchKind::Flag},
    KnownSwitch{"IS", SwitchKind::Flag},
    KnownSwitch{"IT", SwitchKind::Flag},
    KnownSwitch{"FFT", SwitchKind::Flag},
    KnownSwitch{"XJ", SwitchKind::Flag},
    KnownSwitch{"XJD", SwitchKind::Flag},
    KnownSwitch{"XJF", SwitchKind::Flag},
    KnownSwitch{"SL", SwitchKind::Flag},
    KnownSwitch{"SJ", SwitchKind::Flag},
    KnownSwitch{"V", SwitchKind::Flag},
    KnownSwitch{"TS", SwitchKind::Flag},
    KnownSwitch{"FP", SwitchKind::Flag},
    KnownSwitch{"NS", SwitchKind::Flag},
    KnownSwitch{"NC", SwitchKind::Flag},
    KnownSwitch{"NDL", SwitchKind::Flag},
    KnownSwitch{"NFL", SwitchKind::Flag},
    KnownSwitch{"NJH", SwitchKind::Flag},
    KnownSwitch{"NJS", SwitchKind::Flag},
    KnownSwitch{"NP", SwitchKind::Flag},
    KnownSwitch{"X", SwitchKind::Flag},
    KnownSwitch{"ETA", SwitchKind::Flag},
    KnownSwitch{"BYTES", SwitchKind::Flag},
    KnownSwitch{"TEE", SwitchKind::Flag},
    KnownSwitch{"UNICODE", SwitchKind::Flag},
    KnownSwitch{"COPYALL", SwitchKind::Flag},
    KnownSwitch{"NOCOPY", SwitchKind::Flag},
    KnownSwitch{"SEC", SwitchKind::Flag},
    KnownSwitch{"NOSD", SwitchKind::Flag},
    KnownSwitch{"NODD", SwitchKind::Flag},
    KnownSwitch{"QUIT", SwitchKind::Flag},
    KnownSwitch{"LEV", SwitchKind::Value},
    KnownSwitch{"R", SwitchKind::Value},
    KnownSwitch{"W", SwitchKind::Value},
    KnownSwitch{"MAX", SwitchKind::Value},
    KnownSwitch{"MIN", SwitchKind::Value},
    KnownSwitch{"MAXDEL", SwitchKind::Value},
    KnownSwitch{"COPY", SwitchKind::Value},
    KnownSwitch{"DCOPY", SwitchKind::Value},
    KnownSwitch{"LOG", SwitchKind::Value},
    KnownSwitch{"LOG+", SwitchKind::Value},
    KnownSwitch{"UNILOG", SwitchKind::Value},
    KnownSwitch{"UNILOG+", SwitchKind::Value},
    KnownSwitch{"SD", SwitchKind::Value},
    KnownSwitch{"DD", SwitchKind::Value},
    KnownSwitch{"JOB", SwitchKind::Value},
    KnownSwitch{"SAVE", SwitchKind::Value},
    KnownSwitch{"PF", SwitchKind::Flag},
    KnownSwitch{"TBD", SwitchKind::Flag},
    KnownSwitch{"Z", SwitchKind::Flag},
    KnownSwitch{"B", SwitchKind::Flag},
    KnownSwitch{"ZB", SwitchKind::Flag},
    KnownSwitch{"FAT", SwitchKind::Flag},
    KnownSwitch{"MON", SwitchKind::Value},
    KnownSwitch{"MOT", SwitchKind::Value},
    KnownSwitch{"IPG", SwitchKind::Value},
    KnownSwitch{"RH", SwitchKind::Value},
    KnownSwitch{"A", SwitchKind::Flag},
    KnownSwitch{"M", SwitchKind::Flag},
    KnownSwitch{"IA", SwitchKind::Value},
    KnownSwitch{"XA", SwitchKind::Value},
    KnownSwitch{"A+", SwitchKind::Value},
    KnownSwitch{"A-", SwitchKind::Value},
    KnownSwitch{"MT", SwitchKind::Value}, ///< the value may be left out: 8 threads
    KnownSwitch{"IF", SwitchKind::List},
    KnownSwitch{"XF", SwitchKind::List},
    KnownSwitch{"XD", SwitchKind::List},
    KnownSwitch{"ID", SwitchKind::List},
    KnownSwitch{"J", SwitchKind::Ignored},
    KnownSwitch{"NOOFFLOAD", SwitchKind::Ignored},
    KnownSwitch{"COMPRESS", SwitchKind::Ignored},
    KnownSwitch{"SPARSE", SwitchKind::Ignored},
    KnownSwitch{"256", SwitchKind::Ignored},
    KnownSwitch{"EFSRAW", SwitchKind::Ignored},
    KnownSwitch{"NODCOPY", SwitchKind::Ignored},
    KnownSwitch{"SECFIX", SwitchKind::Ignored},
    KnownSwitch{"TIMFIX", SwitchKind::Ignored},
    KnownSwitch{"NOCLONE", SwitchKind::Ignored},
    KnownSwitch{"MAXAGE", SwitchKind::IgnoredValue},
    KnownSwitch{"MINAGE", SwitchKind::IgnoredValue},
    KnownSwitch{"MAXLAD", SwitchKind::IgnoredValue},
    KnownSwitch{"MINLAD", SwitchKind::IgnoredValue},
    KnownSwitch{"?", SwitchKind::Usage},
};

/// The switch of that name (upper case, without "/" and argument), or nullptr.
[[nodiscard]] constexpr const KnownSwitch* FindKnownSwitch(std::string_view name) {
    for (const KnownSwitch& known : kKnownSwitches) {
        if (known.name == name) {
            return &known;
        }
    }
    return nullptr;
}

/// The kind of a known switch, for compile-time checks: GCC's sanitizers make a comparison of the
/// pointer above with nullptr no constant expression.
[[nodiscard]] constexpr std::optional<SwitchKind> KnownSwitchKind(std::string_view name) {
    for (const KnownSwitch& known : kKnownSwitches) {
        if (known.name == name) {
            return known.kind;
        }
    }
    return std::nullopt;
}

} // namespace robocopy
