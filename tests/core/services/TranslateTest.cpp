// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/Translate.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

TEST(Translate, UntranslatedTextComesBackUnchanged) {
    InitCatalogues("/nonexistent/locale");
    // gettext answers "" with the catalogue header; a caller asking for an empty text must get one.
    for (const char* german : {"Der Job wurde geändert. Sollen die Änderungen gespeichert werden?", ""}) {
        EXPECT_EQ(tr(german), german);
    }
}

} // namespace
} // namespace talvex
