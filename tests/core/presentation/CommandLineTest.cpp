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
             Case{{}, std::nullopt},
             Case{{"-lde"}, "de"},
             Case{{"-l:EN"}, "en"},
             Case{{"-l", "en"}, " en"},          // the blank stays part of the code
             Case{{"--verbose", "-l:de"}, "de"}, // found anywhere
             Case{{"-l:"}, ""},
             Case{{"--x-l:fr", "y"}, "fr y"},                   // everything to the end of the line
             Case{{"/home/a/backup-laptop.rcj"}, std::nullopt}, // a file is no parameter
             Case{{"a-lot.rcj", "-len"}, "en"},
         }) {
        EXPECT_EQ(LanguageParameter(c.arguments), c.code);
    }
    EXPECT_EQ(FileParameters({"a b.rcj", "/x/y-l.bat", "-lde", "c.rcj"}),
              (std::vector<std::string>{"a b.rcj", "/x/y-l.bat"}));
}

} // namespace
} // namespace talvex::presentation
