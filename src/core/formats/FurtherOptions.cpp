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

std::string FurtherOptionArgument(std::string_view word, QuoteRules rules) {
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
    if (rules == QuoteRules::CommandLine && !value.empty() && value.back() == '\\') {
        value += '\\';
    }
    return std::string(word.substr(0, valueStart)) + "\"" + value + "\"";
}

void KeepFurtherOption(options::JobState& job, std::string_view word, LogSink& log) {
    if (word.substr(0, word.find(':')).find('"') != std::string_view::npos) {
        log.appendLine(Format(tr("Option mit Anführungszeichen wird nicht übernommen: %s"), {word}), LogColour::Red);
        return;
    }
    std::string text = job.text(options::Control::edt_KWeitere);
    if (!text.empty()) {
        text += ' ';
    }
    // The field itself has no escapes: it keeps the job-file form.
    text += FurtherOptionArgument(word, QuoteRules::JobFile);
    job.setText(options::Control::edt_KWeitere, text);
    log.appendLine(Format(tr("Option ohne eigenes Feld, unter Weitere Optionen behalten: %s"), {word}), LogColour::Red);
}

} // namespace talvex::formats
