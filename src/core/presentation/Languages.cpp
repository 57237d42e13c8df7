// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/Languages.h"

#include <algorithm>
#include <filesystem>

#include "core/services/AsciiCase.h"
#include "core/services/Translate.h"
#include "platform/PathText.h"

namespace talvex::presentation {

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string CharsetOf(std::string_view contentType) {
    const std::string lower = AsciiLower(contentType);
    const std::size_t at = lower.find("charset=");
    if (at == std::string::npos) {
        return {};
    }
    std::string_view value = std::string_view(contentType).substr(at + 8);
    value = value.substr(0, value.find(';'));
    return std::string(Trim(value));
}

const Language* FindCode(const std::vector<Language>& languages, std::string_view code) {
    const auto found = std::find_if(languages.begin(), languages.end(),
                                    [code](const Language& l) { return EqualsIgnoringAsciiCase(l.code, code); });
    return found != languages.end() ? &*found : nullptr;
}

} // namespace

CatalogueHeader ParseCatalogueHeader(std::string_view header) {
    CatalogueHeader fields;
    while (!header.empty()) {
        const std::size_t end = header.find('\n');
        const std::string_view line = header.substr(0, end);
        header = end == std::string_view::npos ? std::string_view() : header.substr(end + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            continue;
        }
        const std::string_view name = Trim(line.substr(0, colon));
        const std::string_view value = Trim(line.substr(colon + 1));
        if (EqualsIgnoringAsciiCase(name, "X-Poedit-Language")) {
            fields.displayName = value;
        } else if (EqualsIgnoringAsciiCase(name, "Last-Translator")) {
            fields.translator = value;
        } else if (EqualsIgnoringAsciiCase(name, "Content-Type")) {
            fields.charset = CharsetOf(value);
        }
    }
    return fields;
}

LanguageList ListLanguages(const std::string& localeFolder) {
    namespace fs = std::filesystem;
    std::vector<std::string> codes;
    std::error_code ec;
    for (fs::directory_iterator it(platform::PathFromUtf8(localeFolder), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = platform::Utf8FromPath(it->path().filename());
        if (fs::is_regular_file(it->path() / "LC_MESSAGES" / (std::string(kTextDomain) + ".mo"), ec)) {
            codes.push_back(name);
        }
    }
    std::sort(codes.begin(), codes.end());

    LanguageList list;
    const char* before = std::getenv("LANGUAGE");
    const std::string previous = before != nullptr ? before : "";
    for (const std::string& code : codes) {
        SwitchLanguage(code);
        const CatalogueHeader header = ParseCatalogueHeader(CurrentCatalogueHeader());
        if (!header.charset.empty() && !EqualsIgnoringAsciiCase(header.charset, "UTF-8")) {
            list.refused.push_back(code);
        } else if (!header.displayName.empty()) {
            list.languages.push_back({code, header.displayName});
        }
    }
    SwitchLanguage(previous);
    return list;
}

std::string FindCatalogueFolder(const std::string& programFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path beside = platform::PathFromUtf8(programFolder) / "locale";
    if (fs::is_directory(beside, ec)) {
        return platform::Utf8FromPath(beside);
    }
    // Installed, the program lies in bin/ or in its own folder lib/talvex/; the catalogues in
    // share/talvex/locale of the same prefix.
    for (fs::path prefix = platform::PathFromUtf8(programFolder).parent_path(); const int up : {1, 2}) {
        const fs::path installed = prefix / "share" / "talvex" / "locale";
        if (fs::is_directory(installed, ec)) {
            return platform::Utf8FromPath(installed);
        }
        prefix = up == 1 ? prefix.parent_path() : prefix;
    }
    return platform::Utf8FromPath(beside);
}

std::string StartLanguage(const std::optional<std::string>& parameter, const std::vector<Language>& languages,
                          std::string& unknown) {
    if (!parameter) {
        return {};
    }
    const std::string_view code = Trim(*parameter);
    if (const Language* language = FindCode(languages, code)) {
        return language->code;
    }
    unknown = code;
    return "de";
}

const Language* LanguageInUse(const std::vector<Language>& languages, std::string_view current) {
    // LANGUAGE may be a list ("en:de"); its first entry is the one tried first.
    current = current.substr(0, current.find(':'));
    if (const Language* exact = FindCode(languages, current)) {
        return exact;
    }
    return FindCode(languages, current.substr(0, current.find_first_of("_.@")));
}

} // namespace talvex::presentation
