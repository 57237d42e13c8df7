// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/Result.h"

#include <cerrno>

#include "core/services/Format.h"
#include "core/services/Translate.h"

namespace talvex {

namespace {

// The system's own text is English whatever the user's language; the causes a user can act on are
// said in our words, the rest keeps the system's text behind a sentence of ours.
std::string ReasonText(const platform::FileError& error) {
    switch (error.errorNumber) {
    case 0:
        return error.reason; // already ours
    case EACCES:
    case EPERM:
        return tr("Keine Berechtigung zum Schreiben");
    case EROFS:
        return tr("Das Dateisystem ist schreibgeschützt");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return tr("Der Datenträger ist voll");
    case ENOENT:
    case ENOTDIR:
        return tr("Der Pfad wurde nicht gefunden");
    default:
        return Format(tr("Das System meldet: %s"), {error.reason});
    }
}

} // namespace

Error Error::FromFile(const platform::FileError& error) {
    return {error.path + ": " + ReasonText(error)};
}

Error Error::FromException(const std::exception& exception) {
    return {Format(tr("Unerwarteter Fehler: %s"), {exception.what()})};
}

} // namespace talvex
