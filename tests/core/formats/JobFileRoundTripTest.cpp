// SPDX-License-Identifier: GPL-3.0-or-later
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/formats/FormatsTestSupport.h"
#include "core/formats/JobFileReader.h"
#include "core/formats/JobFileWriter.h"
#include "core/formats/TextLines.h"
#include "fakes/FakeFormatServices.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/RecordingLogSink.h"

namespace talvex::formats {
namespace {

using C = options::Control;
using JobSetup = std::function<void(options::JobState&)>;

void Tick(options::JobState& job, std::initializer_list<C> boxes) {
    for (const C box : boxes) {
        job.setTicked(box, true);
    }
}

class JobFileRoundTripTest : public ::testing::Test {
protected:
    std::string write(const options::JobState& job) {
        LineList lines;
        EXPECT_TRUE(WriteJobFile(job, "C:\\Jobs\\rund.rcj", lines, log, services));
        return EncodeTextLines(lines);
    }
    // Writes the job, reads the file into a fresh job and writes that one again.
    void roundTrip(const options::JobState& original, options::JobState& copy) {
        LineList lines;
        ASSERT_TRUE(WriteJobFile(original, "C:\\Jobs\\rund.rcj", lines, log, services));
        ASSERT_TRUE(ReadJobFile(copy, DecodeTextLines(EncodeTextLines(lines)), true, log, services));
    }

    fakes::FakeJobEnvironment environment;
    fakes::RecordingLogSink log;
    fakes::FakeFormatServices services;
};

TEST_F(JobFileRoundTripTest, WriteReadWriteGivesTheSameBytes) {
    const std::vector<std::pair<std::string, JobSetup>> jobs = {
        {"folders and mirror",
         [](options::JobState& j) {
             j.applySourceFolder("C:\\Daten", "NTFS");
             j.applyDestinationFolder("\\\\nas\\backup", "");
             Tick(j, {C::chb_KMIR, C::chb_LNP});
             testing::SetValue(j, C::chb_KR, C::edt_KR, "3");
             testing::SetValue(j, C::chb_KW, C::edt_KW, "5");
         }},
        {"copy options and letters",
         [](options::JobState& j) {
             Tick(j, {C::chb_KS, C::chb_KM, C::chb_KZ, C::chb_KB, C::chb_KZB, C::chb_KCREATE, C::chb_KFAT,
                      C::chb_KDCOPY, C::chb_KFFT, C::chb_KMOVE});
             Tick(j, {C::chb_KAminus, C::chb_KAminusR, C::chb_KAminusT});
             Tick(j, {C::chb_KAplus, C::chb_KAplusA, C::chb_KAplusS, C::chb_KAplusH, C::chb_KAplusN});
             Tick(j, {C::chb_KCopy, C::chb_KCopyD, C::chb_KCopyA, C::chb_KCopyT});
             testing::SetValue(j, C::chb_KLEV, C::edt_KLEV, "4");
         }},
        {"other copy flags",
         [](options::JobState& j) {
             Tick(j, {C::chb_KE, C::chb_KPURGE, C::chb_KSEC, C::chb_KMOV, C::chb_KA});
         }},
        {"filters and every name list",
         [](options::JobState& j) {
             Tick(j, {C::chb_FIS, C::chb_FIT, C::chb_FXJ, C::chb_FXJD, C::chb_FXJF, C::chb_FXC, C::chb_FXN, C::chb_FXX,
                      C::chb_FXL, C::chb_FXO});
             Tick(j, {C::chb_FIA, C::chb_FIAr, C::chb_FIAa, C::chb_FIAs, C::chb_FIAh, C::chb_FIAc, C::chb_FIAn,
                      C::chb_FIAe, C::chb_FIAt, C::chb_FIAo});
             Tick(j, {C::chb_FXA, C::chb_FXAc, C::chb_FXAo});
             testing::SetValue(j, C::chb_FMAX, C::edt_FMAX, "1000000");
             testing::SetValue(j, C::chb_FMIN, C::edt_FMIN, "1");
             j.setNameListText(
                 "/IF\n*.docx\n\n/XF\n*.tmp\n~$*\n\n/ID\nProjekte\n\n/XD\nC:\\Alte Sachen\n$RECYCLE.BIN\n\n");
         }},
        {"log and monitor options",
         [](options::JobState& j) {
             Tick(j, {C::chb_LV, C::chb_LTS, C::chb_LFP, C::chb_LNJH, C::chb_LNJS, C::chb_LETA, C::chb_LX, C::chb_LNS,
                      C::chb_LNC, C::chb_LNDL, C::chb_LNFL, C::chb_LL, C::chb_LUNICODE, C::chb_LTBD});
             testing::SetValue(j, C::chb_LUNILOGPlus, C::edt_LLOG, "C:\\Logs\\mit blank.log");
             Tick(j, {C::chb_LTEE});
             testing::SetValue(j, C::chb_MMON, C::edt_MMON, "5");
             testing::SetValue(j, C::chb_MMOT, C::edt_MMOT, "10");
             testing::SetValue(j, C::chb_MIPG, C::edt_MIPG, "100");
             Tick(j, {C::chb_MPF, C::chb_MRH});
             j.setText(C::edt_MRH1, "2200");
             j.setText(C::edt_MRH2, "0600");
         }},
        {"copy all", [](options::JobState& j) { Tick(j, {C::chb_KCopyAll}); }},
        {"no copy", [](options::JobState& j) { Tick(j, {C::chb_KNOCOPY}); }},
    };
    for (const auto& [name, setup] : jobs) {
        SCOPED_TRACE(name);
        options::JobState original(environment);
        // A job that came from a file: /R and /W ticked and empty unless the setup fills them.
        ASSERT_TRUE(original.Reset());
        setup(original);
        options::JobState copy(environment);
        roundTrip(original, copy);
        EXPECT_EQ(write(copy), write(original));
    }
}

TEST_F(JobFileRoundTripTest, DocumentedExceptions) {
    options::JobState original(environment);
    Tick(original, {C::chb_KE, C::chb_KMIR}); // /E ticked but disabled: not written
    original.setTicked(C::chb_LLOG, true);    // no file named: the default is written
    options::JobState copy(environment);
    roundTrip(original, copy);
    EXPECT_FALSE(copy.isTicked(C::chb_KE));
    EXPECT_TRUE(copy.IsOptionSet(C::chb_KMIR));
    EXPECT_EQ(copy.text(C::edt_LLOG), services.logFile);
}

TEST_F(JobFileRoundTripTest, UnicodeFoldersTravelAsShortNames) {
    services.shortPaths["C:\\Bücher\\Neu"] = "C:\\BCHER~1\\Neu";
    services.longPaths["C:\\BCHER~1\\Neu"] = "C:\\Bücher\\Neu";
    options::JobState original(environment);
    original.applySourceFolder("C:\\Bücher\\Neu", "NTFS");
    options::JobState copy(environment);
    roundTrip(original, copy);
    EXPECT_EQ(copy.sourcePath(), "C:\\Bücher\\Neu");
    EXPECT_TRUE(copy.sourceNeedsUnicode());
}

} // namespace
} // namespace talvex::formats
