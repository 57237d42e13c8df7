// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowsCommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace talvex::platform {
namespace {

using Args = std::vector<std::string>;

TEST(SplitWindowsCommandLine, FollowsTheWindowsRules) {
    struct Case {
        const char* line;
        Args args;
    };
    const Case cases[] = {
        // What the job runner actually builds.
        {R"(RoboCopy /JOB:"/home/u/.config/Talvex/~tmp.rcj" "/src dir")",
         {"RoboCopy", "/JOB:/home/u/.config/Talvex/~tmp.rcj", "/src dir"}},
        {R"(Robocopy "" "" /E)", {"Robocopy", "", "", "/E"}},
        // The program name: quotes group, backslashes stay as they are.
        {R"("C:\Program Files\robocopy.exe" a)", {R"(C:\Program Files\robocopy.exe)", "a"}},
        {R"(C:\tools\robocopy.exe /MIR)", {R"(C:\tools\robocopy.exe)", "/MIR"}},
        {R"(C:\a\"b c)", {R"(C:\a\"b)", "c"}},
        {R"("unterminated name)", {"unterminated name"}},
        // Separators.
        {" \t prog  a\t\tb  ", {"prog", "a", "b"}},
        {"", {}},
        {"  \t ", {}},
        // Backslashes: literal unless before a quote.
        {R"(p a\b c\\d e\)", {"p", R"(a\b)", R"(c\\d)", R"(e\)"}},
        {R"(p a\"b)", {"p", R"(a"b)"}},
        {R"(p a\\"b c")", {"p", R"(a\b c)"}},
        {R"(p a\\\"b)", {"p", R"(a\"b)"}},
        {R"(p a\\\\"b c")", {"p", R"(a\\b c)"}},
        // A trailing backslash inside quotes escapes the closing quote.
        {R"(p "C:\dir\" next)", {"p", R"(C:\dir" next)"}},
        {R"(p "C:\dir\\" next)", {"p", R"(C:\dir\)", "next"}},
        // Quotes: empty arguments, doubled quotes, quotes inside a word.
        {R"(p "")", {"p", ""}},
        {R"(p "" x)", {"p", "", "x"}},
        {R"(p a"b c"d)", {"p", "ab cd"}},
        {R"(p "a""b")", {"p", R"(a"b)"}},
        {R"(p "a""b c")", {"p", R"(a"b)", "c"}},
        {R"(p """")", {"p", R"(")"}},
        {R"(p """ x)", {"p", R"(")", "x"}},
        {R"(p "open end)", {"p", "open end"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitWindowsCommandLine(c.line), c.args) << c.line;
    }
}

} // namespace
} // namespace talvex::platform
