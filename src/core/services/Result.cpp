// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/Result.h"

#include "core/services/Format.h"
#include "core/services/Translate.h"

namespace talvex {

Error Error::FromFile(const platform::FileError& error) {
    return {error.describe()};
}

Error Error::FromException(const std::exception& exception) {
    return {Format(tr("Unerwarteter Fehler: %s"), {exception.what()})};
}

} // namespace talvex
