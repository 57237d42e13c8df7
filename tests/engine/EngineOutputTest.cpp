// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeFixture.h"

namespace {

using EngineOutput = TreeFixture;
using Tree = std::map<std::string, std::string>;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The console's side of the layout; the log's is compared whole in the golden tests.
TEST_F(EngineOutput, LayoutOfHeaderLinesAndSummary) {
    write("src/a.txt", "12345");
    write("src/empty", "");
    write("src/big", std::string(3 * 1024 * 1024, 'b'));
    write("dst/extra", "x");
    const Run result = copy({"/E", "/XF", "*.tmp", "/J"});
    EXPECT_EQ(result.code, 3);
    const std::string& out = result.output;
    EXPECT_TRUE(Has(out, "Exc Files : *.tmp\n"));
    EXPECT_TRUE(Has(out, "-----\n\n  Warning : not yet supported on this system, ignored : /J\n\n\t"))
        << "the engine's warnings follow the header block";
    // Percentages sit on the file's own line after CRs; an empty file has none.
    EXPECT_TRUE(Has(out, "\t    New File  \t\t       5\ta.txt\r  0%  \r100%  \n")) << out;
    EXPECT_TRUE(Has(out, "\t    New File  \t\t       0\tempty\n"));
    EXPECT_TRUE(Has(out, "\t    New File  \t\t   3.0 m\tbig\r  0%  \r"));
    EXPECT_TRUE(Has(out, "\t  *EXTRA File \t\t       1\textra\n"));
    EXPECT_TRUE(Has(out, "   Bytes :    3.00 m    3.00 m         0         0         0         1\n"));
    EXPECT_TRUE(Has(out, "\n\n\n   Speed : ")) << "two blank lines before the speed lines";

    const Run nothing = copy({"/E", "/XX"});
    EXPECT_TRUE(Has(nothing.output, "0:00:00\n\n   Ended : ")) << "one blank line without them: " << nothing.output;
}

// A name cannot forge a line of the log: its control characters are written as codes.
TEST_F(EngineOutput, ControlCharactersInNamesAreEscaped) {
    write(std::string("src/a\n\t    *EXTRA File\t\t4096\tthesis.odt"), "x");
    write("src/back\\#slash", "y");
    const Run result = copy({"/NP"});
    EXPECT_EQ(result.code, 1) << result.output;
    EXPECT_FALSE(Has(result.output, "\n\t    *EXTRA File")) << result.output;
    EXPECT_TRUE(Has(result.output, "\ta\\#012\\#011    *EXTRA File\\#011\\#0114096\\#011thesis.odt\n"))
        << result.output;
    EXPECT_TRUE(Has(result.output, "\tback\\#134#slash\n"));

    const Run pattern = copy({"/NP", "/XF", "x\n  Options : forged"});
    EXPECT_FALSE(Has(pattern.output, "\n  Options : forged")) << pattern.output;
    EXPECT_TRUE(Has(pattern.output, "Exc Files : x\\#012  Options : forged\n"));
}

TEST_F(EngineOutput, SwitchesThatTrimTheReport) {
    write("src/a.txt", "12345", 1600000000);
    const Run quiet = copy({"/NJH", "/NJS", "/NDL", "/NP", "/NC", "/NS", "/FP"});
    EXPECT_EQ(quiet.output, "\t              \t\t\t" + path("src") + "/a.txt\n");

    write("src/big", std::string(3 * 1024 * 1024, 'b'));
    const Run eta = copy({"/ETA", "/NJH", "/NJS"});
    EXPECT_TRUE(Has(eta.output, "%  ETA ")) << eta.output;

    const Run unchanged = copy({"/V", "/TS", "/NJH", "/NJS", "/NDL", "/BYTES"});
    EXPECT_TRUE(Has(unchanged.output, "\t    same      \t\t       5 ")) << unchanged.output;
    EXPECT_TRUE(Has(unchanged.output, "\ta.txt\n"));
}

// Logs with and without /TEE, appended, in UTF-16, and inside the destination.
TEST_F(EngineOutput, LogWithAndWithoutTee) {
    write("src/a.txt", "a");
    const Run silent = copy({"/LOG:" + path("plain.log")});
    EXPECT_TRUE(Has(silent.output, "Log File : " + path("plain.log")));
    EXPECT_FALSE(Has(silent.output, "a.txt"));
    EXPECT_FALSE(Has(silent.output, "%")) << "no percentages for a console the log replaces";
    const std::string first = read("plain.log");
    EXPECT_TRUE(Has(first, "\ta.txt\r\n")) << "log lines end with CR LF and carry no percentages: " << first;
    EXPECT_FALSE(Has(first, "%"));
    EXPECT_EQ(first.find("\n"), first.find("\r\n") + 1) << "no bare LF";

    write("src/b.txt", "b");
    const Run tee = copy({"/LOG+:" + path("plain.log"), "/TEE"});
    EXPECT_TRUE(Has(tee.output, "\tb.txt\r  0%  \r100%  \n")) << "the console keeps LF and shows progress";
    const std::string log = read("plain.log");
    EXPECT_TRUE(Has(log, "a.txt") && Has(log, "\tb.txt\r\n")) << "appended";

    const Run unicode = copy({"/UNILOG:" + path("wide.log"), "/IS"});
    EXPECT_TRUE(read("wide.log").starts_with("\xFF\xFE"));
    EXPECT_TRUE(Has(read("wide.log"), std::string("a\0.\0t\0x\0t\0\r\0\n\0", 14)));
    // The console in UTF-16 little-endian too.
    write("src/\xC3\xBC.txt", "u");
    const Run console = copy({"/UNICODE", "/NP"});
    EXPECT_EQ(console.code, 1);
    EXPECT_TRUE(console.output.size() % 2 == 0 && Has(console.output, std::string("\xFC\0.\0t\0x\0t\0\n\0", 12)) &&
                Has(console.output, std::string("T\0o\0t\0a\0l\0", 10)));

    // A log inside the destination is never purged by the mirror it records.
    std::filesystem::create_directories(path("dst/logs"));
    const Run mirror = copy({"/MIR", "/LOG:" + path("dst/logs/run.log")});
    EXPECT_TRUE(Has(read("dst/logs/run.log"), "Total")) << mirror.output;
}

TEST_F(EngineOutput, FatalErrorsAndUsage) {
    const Run unknown = copy({"/NOSUCH"});
    EXPECT_EQ(unknown.code, 16);
    EXPECT_TRUE(Has(unknown.output, "Invalid Parameter #3 : \"/NOSUCH\"")) << unknown.output;

    const Run missing = copy({}, "no-such-source");
    EXPECT_EQ(missing.code, 16);
    EXPECT_TRUE(Has(missing.output, "Accessing Source Directory"));

    const Run quit = copy({"/QUIT", "/LOG:" + path("never.log")});
    EXPECT_EQ(quit.code, 0);
    EXPECT_TRUE(Has(quit.output, "  Options : *.* /DCOPY:DA /COPY:DAT /R:1000000 /W:30 \n"));
    EXPECT_FALSE(exists("never.log")) << "/QUIT only shows what would run";
    EXPECT_FALSE(exists("dst"));

    // "C:\\dev\\x.log" typed for Windows must not become an odd file in the working folder.
    for (const std::string name : {"C:\\dev\\x.log", "x?.log", "a|b.log", "x<.log"}) {
        const Run invalid = copy({"/LOG:" + path(name)});
        EXPECT_EQ(invalid.code, 16) << name;
        EXPECT_TRUE(Has(invalid.output, " ERROR 123 (0x0000007B) Opening Log File " + path(name) +
                                            "\nThe filename, directory name, or volume label syntax is incorrect.\n"))
            << invalid.output;
        EXPECT_FALSE(exists(name));
    }

    const Run saved = copy({"/MIR", "/SAVE:" + path("mirror"), "/QUIT"});
    EXPECT_EQ(saved.code, 0) << saved.output;
    EXPECT_TRUE(Has(read("mirror.RCJ"), "\t/MIR\t\t:: MIRror a directory tree")) << read("mirror.RCJ");
    EXPECT_FALSE(exists("dst"));

    const Run usage = run({"/?"});
    EXPECT_EQ(usage.code, 0);
    EXPECT_EQ(run({}).code, 16);
    EXPECT_TRUE(Has(usage.output, "Usage :: ROBOCOPY source destination"));
}

// Talvex's layout (indented switches with German comments, blocks of names) and robocopy's (tabs, "::").
TEST_F(EngineOutput, JobFilesInBothLayoutsRun) {
    write("src/a.txt", "a");
    write("src/b.tmp", "b");
    write("src/skip/c.txt", "c");
    write("src/keep/d.txt", "d");
    write("talvex.rcj", "::\r\n:: Robocopy Job " + path("TALVEX.RCJ") +
                            "\r\n::\r\n\r\n::\r\n:: Quellverzeichnis\r\n::\r\n      /SD:" + path("src") +
                            "\r\n\r\n::\r\n:: Zielverzeichnis\r\n::\r\n      /DD:" + path("dst1") +
                            "\r\n\r\n::\r\n:: Kopieroptionen\r\n::\r\n      /MIR     :: Spiegeln.\r\n\r\n"
                            "::\r\n:: Liste\r\n::\r\n      /XF\r\n      *.tmp\r\n      \r\n      /XD\r\n      skip\r\n"
                            "      \r\n\r\n::\r\n:: Wiederholungsoptionen\r\n::\r\n      /R:2     :: Versuche.\r\n");
    const Run talvex = run({"/JOB:" + path("talvex.rcj")});
    EXPECT_EQ(talvex.code, 1) << talvex.output;
    EXPECT_EQ(tree("dst1"), (Tree{{"a.txt", "a"}, {"keep", "<dir>"}, {"keep/d.txt", "d"}}));

    write("saved.rcj", "::\r\n:: Robocopy Job X\r\n::\r\n\t/NOSD\t\t:: NO Source Directory.\r\n"
                       "\t/NODD\t\t:: NO Destination Directory.\r\n\t/IF\t\t:: Include Files\r\n\t\t*.txt\r\n"
                       "\r\n\t/S\t\t:: copy Subdirectories\r\n\t/ZZZ\r\n");
    const Run saved = run({"/JOB:" + path("saved.rcj"), path("src"), path("dst2"), "/NP"});
    EXPECT_EQ(saved.code, 1) << saved.output;
    EXPECT_EQ(tree("dst2"),
              (Tree{{"a.txt", "a"}, {"skip", "<dir>"}, {"skip/c.txt", "c"}, {"keep", "<dir>"}, {"keep/d.txt", "d"}}));
    EXPECT_TRUE(Has(saved.output, "/ZZZ")) << "the skipped switch is named";
}

// The line Talvex's builder writes: quoted folders, switches, name lists with an empty separator.
TEST_F(EngineOutput, BuilderCommandLineRuns) {
    write("src/a.txt", "a");
    write("src/old.bak", "b");
    const Run result = run({path("src"), path("dst"), "/S", "/COPY:DAT", "/R:3", "/W:5", "/XF", "*.bak", "", "/NP",
                            "/LOG:" + path("x.log"), "/TEE", "/A+:R", "/J"});
    EXPECT_EQ(result.code, 1) << result.output;
    EXPECT_EQ(tree("dst"), (Tree{{"a.txt", "a"}}));
    EXPECT_TRUE(Has(result.output, "not yet supported on this system, ignored : /J")) << result.output;
}

} // namespace
