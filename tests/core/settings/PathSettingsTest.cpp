// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/PathSettings.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/services/Paths.h"
#include "fakes/TempFolder.h"

namespace talvex::settings {
namespace {

using fakes::TempFolder;
namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// A relative path written with "/", spelled as this system joins paths.
std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '/', PathSeparator());
    return path;
}

class PathSettingsTest : public ::testing::Test {
protected:
    TempFolder root;
    std::string settingsFolder = root.file("Talvex");
    IniStore store;
    PathSettings paths{store, settingsFolder};

    void SetUp() override { fs::create_directories(settingsFolder); }

    std::string folder(const std::string& relative) const {
        const std::string path = root.file(Native(relative));
        fs::create_directories(path);
        return path;
    }
    std::string file(const std::string& relative) const {
        const std::string path = root.file(Native(relative));
        fs::create_directories(fs::path(path).parent_path());
        TempFolder::Write(path, "x");
        return path;
    }
    Strings stored(const std::string& section) const {
        Strings values;
        for (const auto& key : store.keys(section)) {
            values.push_back(key + "=" + store.readString(section, key, ""));
        }
        return values;
    }
};

TEST_F(PathSettingsTest, PathsInsideTheSettingsFolderAreStoredRelativeAndReadAbsolute) {
    const struct {
        std::string written;
        std::string stored;
    } cases[] = {
        {JoinPath(settingsFolder, Native("Ziel/Sub")), Native("Ziel/Sub")},   {settingsFolder, ""},
        {root.file(Native("TalvexAlt/x")), root.file(Native("TalvexAlt/x"))}, // shares the prefix, not the folder
        {root.file(Native("talvex/x")), root.file(Native("talvex/x"))},       // other letter case, another folder
        {JoinPath(settingsFolder, "na"), JoinPath(settingsFolder, "na")},     // would read back as "nothing remembered"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        if (kNativePathStyle == PathStyle::Windows && c.written.starts_with(root.file("talvex"))) {
            continue; // Windows names ignore letter case
        }
        paths.writePath("Image", "Pfad", c.written);
        EXPECT_EQ(store.readString("Image", "Pfad", "?"), c.stored);
        EXPECT_EQ(paths.ReadPathSetting("Image", "Pfad", false, "na"), c.written);
    }
}

TEST(PathSettingsWindows, ReadsRelativeValuesOfTheWindowsProgram) {
    IniStore store;
    PathSettings paths(store, "C:\\Talvex", PathStyle::Windows);
    const struct {
        const char* stored;
        const char* read;
    } cases[] = {
        {"\\Ziel", "C:\\Talvex\\Ziel"}, // the old program kept the separator
        {"Ziel", "C:\\Talvex\\Ziel"},
        {"D:\\Ziel", "D:\\Ziel"},
        {"\\\\srv\\share\\x", "\\\\srv\\share\\x"},
    };
    for (const auto& c : cases) {
        store.writeString("DDHistorie", "0", c.stored);
        EXPECT_EQ(paths.ReadPathSetting("DDHistorie", "0", false, "na"), c.read) << c.stored;
    }
    paths.writePath("Image", "Pfad", "C:\\Talvex\\Images");
    EXPECT_EQ(store.readString("Image", "Pfad", ""), "Images");
}

TEST_F(PathSettingsTest, ReadPathSettingDefaultsAndExistenceCheck) {
    EXPECT_EQ(paths.ReadPathSetting("Image", "Pfad", false, "na"), "na"); // missing key: the default, not prefixed
    store.writeString("Image", "Pfad", "na");
    EXPECT_EQ(paths.ReadPathSetting("Image", "Pfad", false, "na"), "na");

    store.writeString("Image", "mkisofs", Native("bin/mkisofs"));
    const std::string mkisofs = JoinPath(settingsFolder, Native("bin/mkisofs"));
    EXPECT_EQ(paths.ReadPathSetting("Image", "mkisofs", false, "na"), mkisofs);
    EXPECT_EQ(paths.ReadPathSetting("Image", "mkisofs", true, "na"), "na");
    file("Talvex/bin/mkisofs");
    EXPECT_EQ(paths.ReadPathSetting("Image", "mkisofs", true, "na"), mkisofs);
}

TEST_F(PathSettingsTest, HistoryStaysSortedWithoutCaseDuplicates) {
    EXPECT_FALSE(paths.hasHistory(kDestinationHistory));
    const std::string b = folder("B"), a = folder("a"), c = folder("c");
    paths.addToHistory(kDestinationHistory, b + "/", HistoryKeeps::ExistingPaths);
    EXPECT_EQ(stored("DDHistorie"), Strings{"0=" + b}); // the first entry is key 0
    EXPECT_TRUE(paths.hasHistory("ddhistorie"));
    for (const auto& path : {c, a}) {
        paths.addToHistory(kDestinationHistory, path, HistoryKeeps::ExistingPaths);
    }
    EXPECT_EQ(paths.readHistory(kDestinationHistory, true), (Strings{a, b, c}));

    const IniStore before = store;
    paths.addToHistory(kDestinationHistory, root.file("A"), HistoryKeeps::ExistingPaths);
    EXPECT_EQ(store.serialize(IniEncoding::SystemCodePage), before.serialize(IniEncoding::SystemCodePage));
}

TEST_F(PathSettingsTest, ReadingStopsAtTheFirstMissingKey) {
    store.writeString(kSourceHistory, "0", folder("a"));
    store.writeString(kSourceHistory, "1", folder("b"));
    store.writeString(kSourceHistory, "3", folder("d"));
    EXPECT_EQ(paths.readHistory(kSourceHistory, true).size(), 2U);
}

TEST_F(PathSettingsTest, DestinationUnderTheSettingsFolderIsStoredRelativeAndShownAbsolute) {
    const std::string inside = folder("Talvex/Sicherung");
    paths.addToHistory(kDestinationHistory, inside, HistoryKeeps::ExistingPaths);
    const std::string outside = folder("Daten");
    paths.addToHistory(kDestinationHistory, outside, HistoryKeeps::ExistingPaths);
    EXPECT_EQ(stored("DDHistorie"), (Strings{"0=" + outside, "1=Sicherung"}));
    EXPECT_EQ(paths.readHistory(kDestinationHistory, true), (Strings{outside, inside}));
}

TEST_F(PathSettingsTest, VanishedFoldersLeaveOnlyWhenANewPathIsAdded) {
    const std::string a = folder("a"), b = folder("b"), c = folder("c");
    for (const auto& path : {a, b, c}) {
        paths.addToHistory(kSourceHistory, path, HistoryKeeps::ExistingPaths);
    }
    fs::remove(b);
    EXPECT_EQ(paths.readHistory(kSourceHistory, true), Strings{a}); // the menu ends before it
    EXPECT_EQ(paths.readHistory(kSourceHistory, false).size(), 3U);

    paths.addToHistory(kSourceHistory, c, HistoryKeeps::ExistingPaths); // listed already: untouched
    EXPECT_EQ(paths.readHistory(kSourceHistory, false).size(), 3U);

    const std::string d = folder("d");
    paths.addToHistory(kSourceHistory, d, HistoryKeeps::ExistingPaths);
    EXPECT_EQ(paths.readHistory(kSourceHistory, false), (Strings{a, c, d})); // c survives behind b
}

TEST_F(PathSettingsTest, ImageHistoryKeepsFilesNotYetMade) {
    const std::string one = root.file(Native("images/one.iso")), two = JoinPath(settingsFolder, "two.iso");
    paths.acceptImageFile(one);
    paths.acceptImageFile(two);
    EXPECT_EQ(paths.readHistory(kImageHistory, false), (Strings{one, two}));
    EXPECT_EQ(store.readString("Image", "Pfad", ""), ""); // the settings folder itself, stored relative
}

TEST_F(PathSettingsTest, RememberScriptKeepsASortedListOfExistingFiles) {
    const std::string x = file("jobs/x.rcj"), y = file("jobs/Y.bat");
    paths.RememberScript(y);
    EXPECT_EQ(stored("Scripte"), Strings{"0=" + y});
    EXPECT_EQ(store.readString("Job", "Path", ""), root.file("jobs"));

    paths.RememberScript(x);
    EXPECT_EQ(stored("Scripte"), (Strings{"0=" + x, "1=" + y}));

    const IniStore before = store;
    paths.RememberScript(root.file(Native("jobs/X.RCJ"))); // other letter case: list unchanged
    EXPECT_EQ(store.serialize(IniEncoding::SystemCodePage), before.serialize(IniEncoding::SystemCodePage));

    fs::remove(x);
    EXPECT_EQ(paths.recentScripts().size(), 1U);
    EXPECT_EQ(store.keys("Scripte").size(), 2U); // still listed until a new file is added
    const std::string z = file("other/z.cmd");
    paths.RememberScript(z);
    EXPECT_EQ(stored("Scripte"), (Strings{"0=" + y, "1=" + z}));
    EXPECT_EQ(store.readString("Job", "Path", ""), root.file("other"));
}

TEST(RelativeJob, StripsTheFolderOfTheLastJob) {
    const struct {
        PathStyle style;
        const char* jobPath;
        const char* path;
        const char* caption;
    } cases[] = {
        {PathStyle::Windows, "C:\\Jobs", "c:\\jobs\\a.rcj", "a.rcj"},
        {PathStyle::Windows, "C:\\Jobs\\", "C:\\Jobs\\sub\\a.rcj", "sub\\a.rcj"},
        {PathStyle::Windows, "C:\\Jobs", "D:\\b.rcj", "D:\\b.rcj"},
        {PathStyle::Windows, "C:\\Jobs", "C:\\JobsAlt\\b.rcj", "C:\\JobsAlt\\b.rcj"},
        {PathStyle::Windows, "", "C:\\Jobs\\a.rcj", "C:\\Jobs\\a.rcj"},
        {PathStyle::Posix, "/home/a/Jobs", "/home/a/Jobs/x.bat", "x.bat"},
        {PathStyle::Posix, "/home/a/Jobs", "/home/a/jobs/x.bat", "/home/a/jobs/x.bat"},
    };
    for (const auto& c : cases) {
        IniStore store;
        store.writeString("Job", "Path", c.jobPath);
        EXPECT_EQ(PathSettings(store, "", c.style).RelativeJob(c.path), c.caption) << c.jobPath << " " << c.path;
    }
}

TEST_F(PathSettingsTest, DialogFolderFallsBackToSettingsThenDocuments) {
    const std::string documents = folder("Dokumente");
    const std::string remembered = folder("Logs");
    paths.writePath("Log", "Pfad", remembered);
    EXPECT_EQ(paths.logFileDialogFolder("", documents), remembered);
    EXPECT_EQ(paths.logFileDialogFolder("/var/log/robo.log", documents), "/var/log");

    fs::remove(remembered);
    EXPECT_EQ(paths.logFileDialogFolder("", documents), settingsFolder);
    fs::remove(settingsFolder);
    EXPECT_EQ(paths.logFileDialogFolder("", documents), documents);
    EXPECT_EQ(paths.dialogFolder("Job", "Path", documents), documents);
}

TEST_F(PathSettingsTest, ChosenLogFileGetsLogExtensionAndItsFolderIsRemembered) {
    EXPECT_EQ(paths.acceptLogFile(settingsFolder + "/logs/lauf.txt"), settingsFolder + "/logs/lauf.log");
    EXPECT_EQ(store.readString("Log", "Pfad", ""), "logs");

    const struct {
        const char* in;
        const char* out;
    } names[] = {{"/a/b.txt", "/a/b.log"},
                 {"/a/b", "/a/b.log"},
                 {"/a.d/b", "/a.d/b.log"},
                 {"/a/.hidden", "/a/.hidden.log"},
                 {"/a/b.c.d", "/a/b.c.log"}};
    for (const auto& n : names) {
        EXPECT_EQ(ReplaceExtension(n.in, ".log", PathStyle::Posix), n.out);
    }
}

} // namespace
} // namespace talvex::settings
