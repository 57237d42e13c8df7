// SPDX-License-Identifier: GPL-3.0-or-later
// tr() where no libintl is at hand (Windows): the same catalogues, read by MessageCatalogue.
#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string_view>

#include "core/services/MessageCatalogue.h"
#include "core/services/Translate.h"

namespace talvex {

namespace {

struct Catalogues {
    std::mutex mutex;
    std::string folder;
    std::string language; // as switched to; empty: the environment's
    std::optional<MessageCatalogue> current;
};

Catalogues& State() {
    static Catalogues state;
    return state;
}

// gettext's order of the environment variables that name the message language.
std::string EnvironmentLanguage() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

// "de_DE.UTF-8@euro" is looked for as "de_DE" and then "de"; a LANGUAGE list "en:de" entry by entry.
std::optional<MessageCatalogue> LoadFor(const std::string& folder, std::string_view languages) {
    while (!languages.empty()) {
        const std::string_view entry = languages.substr(0, languages.find(':'));
        languages.remove_prefix(std::min(entry.size() + 1, languages.size()));
        const std::string_view withCountry = entry.substr(0, entry.find_first_of(".@"));
        for (const std::string_view code : {withCountry, withCountry.substr(0, withCountry.find('_'))}) {
            if (code.empty() || code == "C" || code == "POSIX") {
                continue;
            }
            auto catalogue =
                MessageCatalogue::Load(folder + "/" + std::string(code) + "/LC_MESSAGES/" + kTextDomain + ".mo");
            if (catalogue) {
                return catalogue;
            }
        }
    }
    return std::nullopt;
}

void Reload(Catalogues& state) {
    state.current = state.folder.empty()
                        ? std::nullopt
                        : LoadFor(state.folder, state.language.empty() ? EnvironmentLanguage() : state.language);
}

} // namespace

std::string tr(const char* germanText) {
    if (germanText == nullptr) {
        return {};
    }
    Catalogues& state = State();
    const std::lock_guard lock(state.mutex);
    // The empty message is the header's key; a caller asking for an empty text gets one.
    if (*germanText != '\0' && state.current) {
        if (const std::string* translation = state.current->find(germanText)) {
            return *translation;
        }
    }
    return germanText;
}

void InitCatalogues(const std::string& localeFolder) {
    Catalogues& state = State();
    const std::lock_guard lock(state.mutex);
    state.folder = localeFolder;
    Reload(state);
}

void SwitchLanguage(const std::string& code) {
    Catalogues& state = State();
    const std::lock_guard lock(state.mutex);
    state.language = code;
    Reload(state);
}

std::string CurrentLanguage() {
    Catalogues& state = State();
    const std::lock_guard lock(state.mutex);
    return state.language.empty() ? EnvironmentLanguage() : state.language;
}

std::string CurrentCatalogueHeader() {
    Catalogues& state = State();
    const std::lock_guard lock(state.mutex);
    return state.current ? state.current->header() : std::string();
}

} // namespace talvex
