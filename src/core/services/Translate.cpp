// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/Translate.h"

#include <clocale>
#include <cstdlib>

#include <libintl.h>

// glibc caches every lookup; raising this counter is its documented way of dropping the cache
// after LANGUAGE changed.
extern "C" int _nl_msg_cat_cntr; // NOLINT(bugprone-reserved-identifier)

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

void SwitchLanguage(const std::string& code) {
    if (code.empty()) {
        unsetenv("LANGUAGE");
    } else {
        setenv("LANGUAGE", code.c_str(), 1);
    }
    ++_nl_msg_cat_cntr;
}

std::string CurrentLanguage() {
    if (const char* language = std::getenv("LANGUAGE"); language != nullptr && *language != '\0') {
        return language;
    }
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    return messages != nullptr ? messages : "";
}

std::string CurrentCatalogueHeader() {
    // The translation of the empty message is the catalogue's header.
    const char* empty = "";
    const char* header = dgettext(kTextDomain, empty);
    return header != empty && header != nullptr ? header : "";
}

} // namespace talvex
