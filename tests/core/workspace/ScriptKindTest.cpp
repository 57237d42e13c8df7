// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/ScriptKind.h"

#include <string>

#include <gtest/gtest.h>

namespace talvex::workspace {
namespace {

const std::string kHeader = "REM Erstellt mit Brenno's Talvex Version 1.0 am 05.12.2026 um 13:10:38";

struct KindCase {
    const char* name;
    formats::LineList lines;
    ScriptKind kind;
};

class DetectScriptKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(DetectScriptKindTest, RecognisesTheLayout) {
    EXPECT_EQ(DetectScriptKind(GetParam().lines), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DetectScriptKindTest,
    ::testing::Values(
        KindCase{"CommandLineOfOneLine", {R"(  RoboCopy "C:\a" "D:\b" /MIR)"}, ScriptKind::CommandBatch},
        KindCase{"JobCallOfOneLine", {R"(robocopy /job:"C:\a.rcj")"}, ScriptKind::JobBatch},
        KindCase{"JobCallAfterHeader", {kHeader, R"(RoboCopy /JOB:"C:\a.rcj" "C:\x")"}, ScriptKind::JobBatch},
        KindCase{"CommandAfterHeader", {kHeader, R"(Robocopy "C:\x" "D:\y" /S)"}, ScriptKind::CommandBatch},
        KindCase{
            "MultiJob", {kHeader, "", "REM Job 0", R"(CALL RoboCopy /JOB:"C:\alle.0.rcj")"}, ScriptKind::MultiJobBatch},
        // A command line may name a file ending in ".rcj" without being a job call.
        KindCase{"MultiCommandWithRcjInName",
                 {kHeader, "", "REM Job 0", R"(CALL Robocopy "C:\x" "D:\y" /LOG:"C:\l.rcj")"},
                 ScriptKind::MultiCommandBatch},
        KindCase{"NoHeaderFirstLineNotRobocopy", {"echo hi", "robocopy a b"}, ScriptKind::CommandBatch},
        KindCase{
            "HandWrittenBatchOfThreeLines", {"@echo off", "REM x", "robocopy C:\\a D:\\b /MIR"}, ScriptKind::Unknown},
        KindCase{"HeaderWithoutCall", {kHeader, "", "REM Job 0", "echo"}, ScriptKind::Unknown},
        KindCase{"Empty", {}, ScriptKind::Unknown},
        // Job files without our header, as robocopy saves them or as typed by hand.
        KindCase{
            "RobocopysOwnJob", {":: Robocopy Job", "::", "\t/SD:C:\\a\\\t:: Source", "\t/MIR"}, ScriptKind::JobFile},
        KindCase{"HandTypedSwitchOnly", {"/nosd"}, ScriptKind::JobFile},
        KindCase{"UnknownSwitchOnly", {"/ZZZ", "/QQQ:1"}, ScriptKind::Unknown},
        KindCase{"OneLineBatchWithEmptyLineAfter", {R"(robocopy "C:\a" "D:\b" /MIR)", ""}, ScriptKind::CommandBatch},
        KindCase{"HandTypedJobWithLists",
                 {":: nightly", "/S /E", "/XD", "  node_modules", ":: later", "\t.git", "/MT:8"},
                 ScriptKind::JobFile},
        KindCase{"RobocopyLog",
                 {"-------", "   ROBOCOPY     ::     Robust File Copy for Windows", "  Started : Monday", "/MIR"},
                 ScriptKind::Unknown},
        KindCase{"ScriptWithContinuationLines",
                 {"@echo off", "robocopy C:\\a D:\\b ^", "  /MIR ^", "  /R:0", "/XD x"},
                 ScriptKind::Unknown},
        KindCase{"UnindentedTextAfterList", {"/XD", "  a", "Hallo"}, ScriptKind::Unknown}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(DetectScriptKindByName, AnyRcjFileIsAJobFile) {
    EXPECT_EQ(DetectScriptKind({"Hallo"}, "C:\\Jobs\\leer.RCJ"), ScriptKind::JobFile);
    EXPECT_EQ(DetectScriptKind({"Hallo"}, "C:\\Jobs\\leer.txt"), ScriptKind::Unknown);
}

} // namespace
} // namespace talvex::workspace
