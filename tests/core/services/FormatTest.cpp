// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/services/Format.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

struct FormatCase {
    const char* pattern;
    std::initializer_list<std::string_view> args;
    const char* expected;
};

TEST(Format, FillsPlaceholdersInOrderAndNeverOverruns) {
    const FormatCase cases[] = {
        {"%s #%d", {"x.cmd", "2"}, "x.cmd #2"},
        {"%s [%s]", {"job.rcj", "geändert"}, "job.rcj [geändert]"},
        {"100%% fertig", {}, "100% fertig"},
        // a translation with more placeholders than arguments keeps the surplus as text
        {"%s und %s", {"a"}, "a und %s"},
        // surplus arguments are ignored
        {"nur %s", {"a", "b"}, "nur a"},
        // unknown conversions and a trailing percent sign stay as they are
        {"%1.0n Bytes %", {"5"}, "%1.0n Bytes %"},
        // an argument holding "%s" is not expanded again
        {"%s-%s", {"%s", "b"}, "%s-b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.pattern, c.args), c.expected) << c.pattern;
    }
}

} // namespace
} // namespace talvex
