// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/Translate.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

TEST(Translate, UntranslatedGermanComesBackUnchanged) {
    InitCatalogues("/nonexistent/locale");
    EXPECT_EQ(tr("Der Job wurde geändert. Sollen die Änderungen gespeichert werden?"),
              "Der Job wurde geändert. Sollen die Änderungen gespeichert werden?");
}

TEST(Translate, EmptyMessageIsNotTheCatalogueHeader) {
    // gettext answers "" with the catalogue header; a caller asking for an empty text must get one.
    EXPECT_EQ(tr(""), "");
}

} // namespace
} // namespace talvex
