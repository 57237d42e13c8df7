// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/SystemFormatServices.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/services/Paths.h"
#include "fakes/FixedClock.h"
#include "fakes/TempFolder.h"

namespace talvex::formats {
namespace {

class Folders final : public platform::SpecialFolders {
public:
    std::string appData;
    std::string docs;
    [[nodiscard]] std::string applicationData() const override { return appData; }
    [[nodiscard]] std::string documents() const override { return docs; }
    [[nodiscard]] std::vector<std::string> systemFolders() const override { return {}; }
};

TEST(SystemFormatServicesTest, DefaultLogFileLivesInTheSettingsFolderWhenThereIsOne) {
    fakes::TempFolder temp;
    Folders folders;
    folders.appData = temp.file("config");
    folders.docs = temp.file("Documents");
    const fakes::FixedClock clock(fakes::FixedClock::TimePoint{});
    const platform::PosixDirectoryEntryLookup lookup;
    const SystemFormatServices services(clock, temp.file("no-such-program"), lookup, folders);

    EXPECT_EQ(services.defaultLogFile(), JoinPath(folders.docs, "tmp.log"));
    const std::string settings = JoinPath(folders.appData, "Talvex");
    std::filesystem::create_directories(settings);
    EXPECT_EQ(services.defaultLogFile(), JoinPath(settings, "tmp.log"));

    // A program file without version information gives no version text rather than a failure.
    EXPECT_EQ(services.versionText(), "");
    if (kNativePathStyle == PathStyle::Posix) { // Windows spells the name in its ANSI code page
        EXPECT_EQ(services.toCodePagePath("/home/anna/Bücher/"), "/home/anna/Bücher/");
    }
}

} // namespace
} // namespace talvex::formats
