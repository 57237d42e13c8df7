// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/Translate.h"

#include <libintl.h>

namespace talvex {

std::string tr(const char* germanText) {
    // gettext treats "" as the request for the catalogue header; an empty message stays empty.
    if (germanText == nullptr || *germanText == '\0') {
        return {};
    }
    return dgettext(kTextDomain, germanText);
}

void InitCatalogues(const std::string& localeFolder) {
    bindtextdomain(kTextDomain, localeFolder.c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
    textdomain(kTextDomain);
}

} // namespace talvex
