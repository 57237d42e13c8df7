// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string_view>

#include "TreeFixture.h"

namespace {

constexpr time_t kOld = 1600000000; // 2020/09/13 12:26:40 UTC
constexpr time_t kNew = kOld + 3600;

// Logs of small trees compared byte for byte with files written in robocopy's layout. Only what
// changes between runs is masked: the fixture's folder, the clock and the speed.
class EngineGolden : public TreeFixture {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1); // for the /TS stamps; children inherit it
        ::setenv("LC_ALL", "C.UTF-8", 1);
    }

    [[nodiscard]] std::string masked(std::string text) const {
        const std::string root = m_root.string();
        for (std::size_t at = text.find(root); at != std::string::npos; at = text.find(root, at)) {
            text.replace(at, root.size(), "<ROOT>");
        }
        std::string result;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = std::min(text.find('\n', start), text.size() - 1);
            std::string line = text.substr(start, end + 1 - start);
            start = end + 1;
            const std::string_view ending = line.ends_with("\r\n") ? "\r\n" : "\n";
            for (const std::string_view caption : {"  Started : ", "   Ended : ", "   Times : ", "   Speed : "}) {
                if (line.starts_with(caption)) {
                    const std::size_t unit = caption == "   Speed : " ? line.rfind(' ') : std::string::npos;
                    line = std::string(caption) + "<MASKED>" +
                           (unit == std::string::npos ? std::string(ending) : line.substr(unit));
                }
            }
            if (line.size() > 26 && line[0] == '2' && line.compare(19, 7, " ERROR ") == 0) {
                line.replace(0, 19, "<STAMP>");
            }
            result += line;
        }
        return result;
    }

    void expectLog(const std::vector<std::string>& switches, const std::string& expectedFile, int expectedCode,
                   bool asNobody = false) {
        std::vector<std::string> arguments = switches;
        arguments.push_back("/LOG:" + path("run.log"));
        const Run result = copy(arguments, "src", "dst", asNobody);
        EXPECT_EQ(result.code, expectedCode) << read("run.log");
        const std::string expected =
            talvex::fakes::TempFolder::Read(std::string(TALVEX_TEST_DATA) + "/engine-golden/" + expectedFile);
        ASSERT_FALSE(expected.empty()) << expectedFile;
        EXPECT_EQ(masked(read("run.log")), expected);
    }

    // New, newer, older, same, extra, mismatched, a mid-sized and a 5 MB file, a new folder.
    void writeClasses() const {
        write("src/new.txt", "12345", kOld);
        write("src/newer.txt", "newer", kNew);
        write("dst/newer.txt", "newer", kOld);
        write("src/older.txt", "older", kOld);
        write("dst/older.txt", "older", kNew);
        write("src/same.txt", "same", kOld);
        write("dst/same.txt", "same", kOld);
        write("src/mid.bin", std::string(36920, 'm'), kOld);
        write("src/big.bin", std::string(std::size_t{5} * 1024 * 1024, 'b'), kOld);
        write("src/clash", "file here, folder there", kOld);
        write("dst/clash/inside", "x", kOld);
        write("dst/extra.txt", "extra", kOld);
        write("dst/gone/old.txt", "gone", kOld);
        write("src/sub/deep.txt", "deep", kOld);
    }
};

TEST_F(EngineGolden, EveryClassVerboseWithTimes) {
    writeClasses();
    expectLog({"/E", "/V", "/TS", "/R:0", "/W:0"}, "classes-v-ts.log", 7);
}

TEST_F(EngineGolden, BytesFullPathsWithoutHeaderAndSummary) {
    writeClasses();
    expectLog({"/E", "/BYTES", "/FP", "/NP", "/NJH", "/NJS", "/R:0", "/W:0"}, "classes-bytes-fp.log", 7);
}

// A read-only destination file is replaced like any other; an unreadable source is retried and given up.
TEST_F(EngineGolden, FailedAndUnreadableFiles) {
    write("src/locked.txt", "new content", kNew);
    write("dst/locked.txt", "old", kOld);
    ASSERT_EQ(::chmod(path("dst/locked.txt").c_str(), 0444), 0);
    write("src/secret.txt", "secret", kOld);
    ASSERT_EQ(::chmod(path("src/secret.txt").c_str(), 0), 0);
    write("src/fine.txt", "fine", kOld);
    giveToNobody();
    expectLog({"/R:1", "/W:0", "/NP"}, "failed.log", 9, true);
}

} // namespace
