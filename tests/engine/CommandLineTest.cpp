// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CommandLine.h"

#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "engine/SavedJob.h"
#include "fakes/TempFolder.h"
#include "shared/RobocopySwitches.h"

namespace {

using robocopy::Options;
using robocopy::ParseCommandLine;
using robocopy::ParseResult;

std::optional<std::string> NoFiles(const std::string&) {
    return std::nullopt;
}

ParseResult Parse(const std::vector<std::string>& arguments) {
    return ParseCommandLine(arguments, NoFiles);
}

ParseResult ParseWithJob(const std::string& jobText, const std::vector<std::string>& arguments) {
    const auto reader = [jobText](const std::string& path) -> std::optional<std::string> {
        if (path == "job.rcj") {
            return jobText;
        }
        return std::nullopt;
    };
    return ParseCommandLine(arguments, reader);
}

std::string ReadData(const std::string& name) {
    return talvex::fakes::TempFolder::Read(std::string(TALVEX_TEST_DATA) + "/formats/" + name);
}

TEST(CommandLine, SwitchesInAnyCaseWithValues) {
    std::vector<std::string> arguments;
    std::istringstream words("/data /backup /mir /r:3 /W:0 /Lev:2 /max:100 /MIN:5 /xo /copy:dat /dcopy:t /np "
                             "/log+:/tmp/x.log /tee /maxdel:7 /mt:16 /rh:2200-0630 /ipg:5 /mon:2 /mot:3");
    for (std::string word; words >> word;) {
        arguments.push_back(word);
    }
    const ParseResult r = Parse(arguments);
    ASSERT_EQ(r.error, "");
    const Options& o = r.options;
    EXPECT_EQ(o.source, "/data");
    EXPECT_EQ(o.destination, "/backup");
    EXPECT_TRUE(o.mirror && o.purge && o.emptyDirectories);
    EXPECT_TRUE(o.retries == 3 && o.waitSeconds == 0 && o.levels == 2);
    EXPECT_TRUE(o.maxSize == 100u && o.minSize == 5u);
    EXPECT_TRUE(o.excludeOlder && o.copyDirectoryTimes && o.noProgress && o.tee);
    EXPECT_EQ(o.logFile, "/tmp/x.log");
    EXPECT_TRUE(o.logAppend && !o.logUnicode);
    EXPECT_TRUE(o.maxDeletions == 7u && o.threads == 16 && o.gapMilliseconds == 5);
    EXPECT_TRUE(o.runHoursStart == 22 * 60 && o.runHoursEnd == 6 * 60 + 30);
    EXPECT_TRUE(o.monitorChanges == 2 && o.monitorMinutes == 3);
    EXPECT_EQ(Parse({"a", "b", "/MT"}).options.threads, 8);
    EXPECT_EQ(Parse({"a", "b"}).options.threads, 0);
}

// Absolute POSIX paths begin with "/" like switches; only names we know are switches.
TEST(CommandLine, AbsolutePathsAreNotSwitches) {
    const ParseResult r =
        Parse({"/srv/data", "/backup", "*.txt", "/XD", "/home/me/tmp", "node_modules", "/XF", "*.o", "/S"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.source, "/srv/data");
    EXPECT_EQ(r.options.destination, "/backup");
    EXPECT_EQ(r.options.filePatterns, std::vector<std::string>{"*.txt"});
    EXPECT_EQ(r.options.excludeDirectories, (std::vector<std::string>{"/home/me/tmp", "node_modules"}));
    EXPECT_EQ(r.options.excludeFiles, std::vector<std::string>{"*.o"});
    EXPECT_TRUE(r.options.subdirectories);
}

TEST(CommandLine, RefusesBadArguments) {
    const std::vector<std::vector<std::string>> cases = {
        {"a", "b", "/FOO"},        // unknown switch
        {"a", "b", "/R:x"},        // number expected
        {"a", "b", "/R"},          // value missing
        {"a", "b", "/S:1"},        // flag with a value
        {"a", "b", "/COPY:DQ"},    // unknown copy letter
        {"a"},                     // no destination
        {"a", "b", "/JOB:nofile"}, // unreadable job
        {"a", "b", "/LOG:"},       // log without a file
        {"a", "b", "/MAXDEL"},     // a limit without its number
        {"a", "b", "/MAXDEL:-1"},
        {"a", "b", "/MT:0"}, // 1 to 128 threads
        {"a", "b", "/MT:129"},
        {"a", "b", "/RH:2400-0100"}, // times of the day as hhmm
        {"a", "b", "/RH:800-1700"},
        {"a", "b", "/IA:RQ"}, // attribute letters RASHCNETO
    };
    for (const auto& arguments : cases) {
        const ParseResult r = Parse(arguments);
        EXPECT_NE(r.error, "") << arguments.back();
    }
    EXPECT_NE(Parse({"a", "b", "/FOO"}).error.find("Invalid Parameter #3 : \"/FOO\""), std::string::npos);
}

TEST(CommandLine, LaterCopySwitchWinsAndUsage) {
    EXPECT_TRUE(Parse({"/?"}).showUsage && Parse({}).showUsage);
    EXPECT_TRUE(Parse({"a", "b", "/COPY:D", "/COPYALL"}).options.copy.owner);
    const Options o = Parse({"a", "b", "/COPYALL", "/NOCOPY"}).options;
    EXPECT_FALSE(o.copy.data || o.copy.attributes || o.copy.times);
    const Options d = Parse({"a", "b", "/COPY:D"}).options;
    EXPECT_TRUE(d.copy.data);
    EXPECT_FALSE(d.copy.attributes || d.copy.times);
}

// The switch list is the one record of what is accepted but not carried out.
TEST(CommandLine, IgnoredSwitchesAreAcceptedAndReported) {
    std::vector<std::string> arguments = {"a", "b"};
    for (const robocopy::KnownSwitch& known : robocopy::kKnownSwitches) {
        if (known.kind == robocopy::SwitchKind::Ignored) {
            arguments.push_back("/" + std::string(known.name));
        } else if (known.kind == robocopy::SwitchKind::IgnoredValue) {
            arguments.push_back("/" + std::string(known.name) + ":1");
        }
    }
    const ParseResult r = Parse(arguments);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.unsupported.size(), arguments.size() - 2);
}

// The job is expanded where /JOB stands; command-line folders fill what the job leaves out.
TEST(CommandLine, JobFillsPathsAndCommandLineFillsTheRest) {
    const std::string job = "/NOSD\r\n      /DD:/backup/\r\n/S :: sub\r\n";
    const ParseResult r = ParseWithJob(job, {"/JOB:job.rcj", "/data", "*.txt"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.source, "/data");
    EXPECT_EQ(r.options.destination, "/backup");
    EXPECT_EQ(r.options.filePatterns, std::vector<std::string>{"*.txt"});
    EXPECT_TRUE(r.options.subdirectories);

    const ParseResult both = ParseWithJob("/NOSD\r\n/NODD\r\n", {"/JOB:job.rcj", "/srv/a", "/srv/b"});
    EXPECT_EQ(both.options.source, "/srv/a");
    EXPECT_EQ(both.options.destination, "/srv/b");
}

// Name lists in a job end at the next switch or at a blank line, but not at a comment line or a
// blank line inside the list; line ends of every system, a byte-order mark, quoted names, and empty
// quoted tokens (closed or left open: empty names, skipped, never taken for a switch).
TEST(CommandLine, JobFileTextForms) {
    struct Case {
        std::string job;
        std::vector<std::string> dirs;
        std::vector<std::string> files;
    };
    std::vector<Case> cases = {
        {"/SD:/s\r\n/DD:/d\r\n/XD\r\n  node_modules\r\n  /home/anna/build  :: a path\r\n/XF\r\n\t\t*.tmp\r\n"
         "/R:2\r\n/IF\r\n::\t\t*.*\t:: comment\r\n\r\n",
         {"node_modules", "/home/anna/build"},
         {"*.tmp"}},
        {"/SD:/s\n/DD:/d\n/XD\n  a\n:: build output\n\n   \n  b :: trailing\n/XF *.o\n/R:2\n", {"a", "b"}, {"*.o"}},
    };
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        cases.push_back({"\xEF\xBB\xBF/SD:/s" + eol + "/DD:/d" + eol + "/XF" + eol + "  \"a b.txt\"" + eol + "  c.txt" +
                             eol + "/R: 2",
                         {},
                         {"a b.txt", "c.txt"}});
    }
    for (const std::string tail : {"\"\"", "\"", "\"\" \"\""}) {
        cases.push_back({"/SD:/s\n/DD:/d\n/XF \"\" *.o\n/R:2 " + tail + "\n", {}, {"*.o"}});
    }
    for (const Case& c : cases) {
        const ParseResult r = ParseWithJob(c.job, {"/JOB:job"}); // the extension is added
        ASSERT_EQ(r.error, "") << c.job;
        EXPECT_EQ(r.options.source, "/s") << c.job;
        EXPECT_EQ(r.options.retries, 2) << c.job;
        EXPECT_EQ(r.options.excludeDirectories, c.dirs) << c.job;
        EXPECT_EQ(r.options.excludeFiles, c.files) << c.job;
        EXPECT_TRUE(r.options.filePatterns.empty()) << c.job;
    }
}

struct ExampleJob {
    std::string file;
    std::string source;
    std::string destination;
    std::function<bool(const Options&)> check;
};

// Jobs as robocopy saves them, as Talvex writes them and as people type them must all be accepted.
TEST(CommandLine, AcceptsExampleJobFiles) {
    const std::vector<ExampleJob> examples = {
        {"saved-by-robocopy-mirror.rcj", "C:\\Users\\Anna\\Documents", "D:\\Sicherung\\Documents",
         [](const Options& o) {
             return o.mirror && o.retries == 5 && o.waitSeconds == 10 && o.noProgress && o.tee &&
                    o.logFile == "C:\\Logs\\dokumente.log" && o.excludeOlder &&
                    o.excludeFiles == std::vector<std::string>{"*.tmp", "~$*"} &&
                    o.excludeDirectories == std::vector<std::string>{"$RECYCLE.BIN", "System Volume Information"};
         }},
        {"saved-by-robocopy-nosd.rcj", "/given/src", "/given/dst",
         [](const Options& o) {
             return o.filePatterns == std::vector<std::string>{"*.docx", "*.xlsx"} && o.subdirectories &&
                    o.copy.owner && o.retries == 1000000 && o.timestamps && o.fullPaths;
         }},
        {"typed-by-hand.rcj", "E:\\Fotos", "\\\\nas\\backup\\Fotos",
         [](const Options& o) {
             return o.subdirectories && o.emptyDirectories && o.retries == 5 && o.waitSeconds == 3 &&
                    o.excludeFiles == std::vector<std::string>{"*.tmp", "Thumbs.db"} && o.logAppend &&
                    o.unicodeOutput && o.warnings.size() == 1;
         }},
        {"posix-paths.rcj", "/home/anna/Projekte", "/media/anna/Sicherung/Projekte",
         [](const Options& o) {
             return o.mirror && o.retries == 2 &&
                    o.excludeDirectories ==
                        std::vector<std::string>{"node_modules", "/home/anna/Projekte/build", "/tmp/cache"} &&
                    o.excludeFiles == std::vector<std::string>{"*.o"};
         }},
    };
    for (const ExampleJob& example : examples) {
        std::vector<std::string> arguments = {"/JOB:job.rcj"};
        if (example.source.starts_with("/given")) {
            arguments.insert(arguments.end(), {example.source, example.destination});
        }
        const ParseResult r = ParseWithJob(ReadData(example.file), arguments);
        ASSERT_EQ(r.error, "") << example.file;
        EXPECT_EQ(r.options.source, example.source) << example.file;
        EXPECT_EQ(r.options.destination, example.destination) << example.file;
        EXPECT_TRUE(example.check(r.options)) << example.file;
    }
}

} // namespace

// What /SAVE writes reads back as the same job, in either tree form, and /NOSD and /NODD leave the
// folders to the command line.
TEST(CommandLine, SavedJobReadsBackAsTheSameJob) {
    const std::vector<std::string> given = {"/srv/my data", "/backup",  "*.txt",     "/MIR", "/XD",
                                            "node_modules", "/tmp/x y", "/XF",       "*.o",  "/XO",
                                            "/R:3",         "/W:1",     "/MT:4",     "/NP",  "/LOG:/tmp/log file.txt",
                                            "/TEE",         "/COPY:DT", "/SAVE:job", "/QUIT"};
    for (const bool leaveFolders : {false, true}) {
        std::vector<std::string> arguments = given;
        if (leaveFolders) {
            arguments.insert(arguments.end(), {"/NOSD", "/NODD"});
        }
        const ParseResult saved = Parse(arguments);
        ASSERT_EQ(saved.error, "");
        EXPECT_EQ(robocopy::SavedJobPath(saved.options.saveJob), "job.RCJ");
        const std::string text = robocopy::SavedJobText(saved.options, "job.RCJ", 0);
        const ParseResult r = leaveFolders ? ParseWithJob(text, {"/JOB:job.rcj", "/other", "/elsewhere"})
                                           : ParseWithJob(text, {"/JOB:job.rcj"});
        ASSERT_EQ(r.error, "") << text;
        const Options& o = r.options;
        EXPECT_EQ(o.source, leaveFolders ? "/other" : "/srv/my data") << text;
        EXPECT_EQ(o.destination, leaveFolders ? "/elsewhere" : "/backup");
        EXPECT_EQ(o.filePatterns, std::vector<std::string>{"*.txt"});
        EXPECT_EQ(o.excludeDirectories, (std::vector<std::string>{"node_modules", "/tmp/x y"}));
        EXPECT_EQ(o.excludeFiles, std::vector<std::string>{"*.o"});
        EXPECT_TRUE(o.mirror && o.excludeOlder && o.noProgress && o.tee) << text;
        EXPECT_EQ(o.retries, 3);
        EXPECT_EQ(o.waitSeconds, 1);
        EXPECT_EQ(o.threads, 4);
        EXPECT_EQ(o.logFile, "/tmp/log file.txt");
        EXPECT_TRUE(o.copy.data && o.copy.times && !o.copy.attributes);
        EXPECT_FALSE(o.quit || !o.saveJob.empty()) << "how the job was made is not part of it";
        EXPECT_TRUE(o.warnings.empty()) << o.warnings.front();
    }
}
