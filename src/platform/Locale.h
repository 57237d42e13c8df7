// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace talvex::platform {

/// The thousands separator of the process locale (LC_NUMERIC), "." in German; empty when the
/// locale has none. Numbers are formatted with it explicitly, so the core never depends on the
/// locale of the process behind its back.
[[nodiscard]] std::string LocaleThousandsSeparator();

} // namespace talvex::platform
