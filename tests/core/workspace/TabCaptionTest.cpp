// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/workspace/JobList.h"

namespace talvex::workspace {
namespace {

TEST(TabCaptionTest, FollowsKindAndPath) {
    struct Case {
        const char* path;
        unsigned kind, number;
        const char* caption;
    };
    for (const Case& c : {
             Case{"", 1, 0, "*.rcj"},
             Case{"/home/anna/Jobs/Sicherung.rcj", 1, 0, "Sicherung.rcj"},
             Case{"/home/anna/Jobs/alle.bat", 5, 3, "alle.bat #3"},
             Case{"/home/anna/Jobs/alle.cmd", 6, 1, "alle.cmd #1"},
             Case{"/tmp/unbekannt.bat", 255, 0, "unbekannt.bat #0"},
             Case{"/tmp/~default.rcj", 4, 0, "~default.rcj"},
         }) {
        EXPECT_EQ(TabCaption(static_cast<ScriptKind>(c.kind), c.path, c.number), c.caption) << c.path;
    }
}

} // namespace
} // namespace talvex::workspace
