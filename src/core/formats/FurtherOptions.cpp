// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/FurtherOptions.h"

#include "core/formats/Text.h"
#include "core/services/AsciiCase.h"
#include "core/services/Format.h"
#include "core/services/Translate.h"

namespace talvex::formats {

std::vector<std::string> FurtherOptionWords(std::string_view text) {
    std::vector<std::string> words;
    std::string current;
    bool quoted = false;
    bool any = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && static_cast<unsigned char>(c) <= 32) {
            if (any && !current.empty()) {
                words.push_back(current);
            }
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (!current.empty()) {
        words.push_back(current);
    }
    return words;
}

namespace {

// `escapeBackslash`: for a line read by the Windows argument rules, where a backslash before the
// closing quote would escape it. The further-options text itself has no escapes.
std::string QuotedWord(std::string_view word, bool escapeBackslash) {
    constexpr std::string_view kSpecial = " \t&|<>^()\"";
    if (word.find_first_of(kSpecial) == std::string_view::npos) {
        return std::string(word);
    }
    // A switch keeps its name in front of the quotes ("/X:"a b""), as the log file is written; a
    // name that itself needs quotes goes inside them whole.
    std::size_t colon = word.starts_with('/') ? word.find(':') : std::string_view::npos;
    if (colon != std::string_view::npos && word.substr(0, colon).find_first_of(kSpecial) != std::string_view::npos) {
        colon = std::string_view::npos;
    }
    const std::size_t valueStart = colon == std::string_view::npos ? 0 : colon + 1;
    std::string value(word.substr(valueStart));
    std::erase(value, '"');
    if (escapeBackslash && !value.empty() && value.back() == '\\') {
        value += '\\';
    }
    return std::string(word.substr(0, valueStart)) + "\"" + value + "\"";
}

} // namespace

std::string FurtherOptionArgument(std::string_view word) {
    return QuotedWord(word, true);
}

void KeepFurtherOption(options::JobState& job, std::string_view word, LogSink& log) {
    std::string text = job.text(options::Control::edt_KWeitere);
    if (!text.empty()) {
        text += ' ';
    }
    text += QuotedWord(word, false);
    job.setText(options::Control::edt_KWeitere, text);
    log.appendLine(Format(tr("Option ohne eigenes Feld, unter Weitere Optionen behalten: %s"), {word}), LogColour::Red);
}

} // namespace talvex::formats
