// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/presentation/CommandLine.h"

#include <gtest/gtest.h>

namespace talvex::presentation {
namespace {

TEST(CommandLineTest, LanguageParameterForms) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::string> code;
    };
    for (const Case& c : {
             Case{{}, std::nullopt}, Case{{"-lde"}, "de"}, Case{{"-l:EN"}, "en"},
             Case{{"-l", "en"}, " en"},                        // the blank stays part of the code
             Case{{"--verbose", "-l:de"}, "de"},               // found anywhere
             Case{{"-l:"}, ""}, Case{{"x-l:fr", "y"}, "fr y"}, // everything to the end of the line
         }) {
        EXPECT_EQ(LanguageParameter(c.arguments), c.code);
    }
}

} // namespace
} // namespace talvex::presentation
