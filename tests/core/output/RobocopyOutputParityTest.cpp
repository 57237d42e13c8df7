// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/output/ParseOutput.h"
#include "engine/TreeFixture.h"

namespace {

using talvex::output::Event;
using talvex::output::EventKind;
using talvex::testing::Parse;

// The same tree as robocopy shows it on Windows and as the bundled engine shows it: a reader of the
// output must find the same files, classes, sizes, figures and summary in both.
class RobocopyOutputParity : public TreeFixture {};

std::vector<Event> Comparable(std::vector<Event> events) {
    std::erase_if(events, [](const Event& e) {
        return e.kind == EventKind::HeaderField || e.kind == EventKind::Other || e.kind == EventKind::Speed ||
               (e.kind == EventKind::SummaryRow && e.caption == "Times");
    });
    for (Event& event : events) {
        if (event.kind == EventKind::Directory || event.kind == EventKind::ExtraDirectory) {
            event.text.clear(); // folders are full paths, which differ between the systems
        }
    }
    return events;
}

constexpr std::string_view kWindowsSample =
    "\r\n-------------------------------------------------------------------------------\r\n"
    "   ROBOCOPY     ::     Robust File Copy for Windows                              \r\n"
    "-------------------------------------------------------------------------------\r\n\r\n"
    "  Started : Saturday, October 18, 2025 2:44:57 PM\r\n"
    "   Source : C:\\Data\\src\\\r\n     Dest : C:\\Data\\dst\\\r\n\r\n    Files : *.*\r\n\t    \r\n"
    "  Options : *.* /S /E /DCOPY:DA /COPY:DAT /R:1000000 /W:30 \r\n\r\n"
    "------------------------------------------------------------------------------\r\n\r\n"
    "\t                   3\tC:\\Data\\src\\\r\n"
    "\t  *EXTRA File \t\t       5\textra.txt\r\n"
    "\t    New File  \t\t       0\tempty.txt\r\n"
    "\t    New File  \t\t       5\tnew.txt\r  0%  \r100%  \r\n"
    "\t    Newer     \t\t       5\tnewer.txt\r  0%  \r100%  \r\n"
    "\t  New Dir          1\tC:\\Data\\src\\sub\\\r\n"
    "\t    New File  \t\t       4\tdeep.txt\r  0%  \r100%  \r\n"
    "\t  *EXTRA Dir        -1\tC:\\Data\\dst\\gone\\\r\n\r\n"
    "------------------------------------------------------------------------------\r\n\r\n"
    "               Total    Copied   Skipped  Mismatch    FAILED    Extras\r\n"
    "    Dirs :         2         1         1         0         0         1\r\n"
    "   Files :         4         4         0         0         0         1\r\n"
    "   Bytes :        14        14         0         0         0         5\r\n"
    "   Times :   0:00:00   0:00:00                       0:00:00   0:00:00\r\n\r\n\r\n"
    "   Speed :               14,000 Bytes/sec.\r\n   Speed :                0.801 MegaBytes/min.\r\n"
    "   Ended : Saturday, October 18, 2025 2:44:57 PM\r\n\r\n";

TEST_F(RobocopyOutputParity, WindowsSampleAndEngineOutputReadAlike) {
    write("src/new.txt", "12345");
    write("src/newer.txt", "newer", 1600003600);
    write("dst/newer.txt", "newer", 1600000000);
    write("src/empty.txt", "");
    write("dst/extra.txt", "extra");
    write("dst/gone/x", "x");
    write("src/sub/deep.txt", "deep");
    const Run engine = copy({"/E"});
    ASSERT_EQ(engine.code, 3) << engine.output;
    const std::vector<Event> fromEngine = Comparable(Parse(engine.output));
    const std::vector<Event> fromSample = Comparable(Parse(kWindowsSample));
    ASSERT_EQ(fromEngine.size(), 17u);
    EXPECT_EQ(fromEngine, fromSample);
}

} // namespace
