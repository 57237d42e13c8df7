// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/Result.h"

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

namespace talvex {
namespace {

// The system's texts are English whatever the user reads; the causes a user can act on come in
// our words, any other keeps the system's text behind a sentence of ours.
TEST(ErrorFromFile, SaysTheCommonCausesInTheUsersWords) {
    const struct {
        int errorNumber;
        std::string reason;
    } cases[] = {
        {EACCES, "Keine Berechtigung zum Schreiben"},
        {EPERM, "Keine Berechtigung zum Schreiben"},
        {EROFS, "Das Dateisystem ist schreibgeschützt"},
        {ENOSPC, "Der Datenträger ist voll"},
        {ENOENT, "Der Pfad wurde nicht gefunden"},
        {ENOTDIR, "Der Pfad wurde nicht gefunden"},
        {EIO, std::string("Das System meldet: ") + std::strerror(EIO)},
        {0, "kein Dateiname"}, // a reason of our own stays as it is
    };
    for (const auto& c : cases) {
        const std::string system = c.errorNumber != 0 ? std::strerror(c.errorNumber) : "kein Dateiname";
        EXPECT_EQ(Error::FromFile({"/srv/a.rcj", c.errorNumber, system}).reason, "/srv/a.rcj: " + c.reason);
    }
}

} // namespace
} // namespace talvex
