// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows side of the platform layer, checked against the real system calls (under Wine here).
#include <algorithm>
#include <array>
#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "core/services/ShortPaths.h"
#include "fakes/TempFolder.h"
#include "platform/BurningTools.h"
#include "platform/ChildProcess.h"
#include "platform/CodePage.h"
#include "platform/DirectoryEntries.h"
#include "platform/OpticalDrives.h"
#include "platform/SpecialFolders.h"
#include "platform/VersionFields.h"
#include "platform/win32/Wide.h"

namespace talvex::platform {
namespace {

namespace fs = std::filesystem;

fs::path Utf8Path(std::string_view utf8) {
    return fs::path(win32::Widen(utf8));
}

std::string Utf8(const fs::path& path) {
    return win32::Narrow(path.wstring());
}

TEST(Win32CodePage, UmlautsSurviveTheAnsiCodePageAndForeignLettersAreMarked) {
    const std::string ansi = ToSystemCodePage("Müll");
    EXPECT_EQ(FromSystemCodePage(ansi), "Müll");
    EXPECT_TRUE(IsRepresentableInSystemCodePage("Müll"));
    if (::GetACP() == 1252) {
        EXPECT_EQ(ansi, "M\xFCll") << "one byte for the umlaut, as robocopy reads it";
    }
    // Letters the code page lacks become its default character, never a best-fit look-alike.
    EXPECT_FALSE(IsRepresentableInSystemCodePage("Ωmega"));
    EXPECT_EQ(ToSystemCodePage("Ωmega").find("mega"), 1u);
    EXPECT_FALSE(IsRepresentableInSystemCodePage("M\xFFll")) << "ill-formed UTF-8";
}

// Wine makes up its own 8.3 names, so the test checks that the way there and back is whole,
// not how the short name is spelt. (Wine finds such a name in a directory search but does not open
// a file by it, so reaching the file through the short path is left to Windows.)
TEST(Win32ShortNames, PathOutsideTheCodePageGoesToItsShortNameAndBack) {
    const fakes::TempFolder temp;
    const std::string folder = Utf8(temp.path()) + "\\Ωmega Ordner mit langem Namen";
    fs::create_directory(Utf8Path(folder));
    fakes::TempFolder::Write(Utf8(Utf8Path(folder) / "Datei.txt"), "x");
    const Win32DirectoryEntryLookup lookup;

    const ConvertedPath shortPath = ToCodePagePath(folder + "\\Datei.txt", lookup, PathStyle::Windows);
    ASSERT_TRUE(shortPath.unconverted.empty()) << shortPath.path;
    EXPECT_TRUE(IsRepresentableInSystemCodePage(shortPath.path)) << shortPath.path;

    const ConvertedPath longPath = ToLongPath(shortPath.path, lookup, PathStyle::Windows);
    EXPECT_TRUE(longPath.unconverted.empty());
    EXPECT_EQ(longPath.path, folder + "\\Datei.txt");

    EXPECT_FALSE(lookup.find(folder + "\\fehlt").has_value());
    EXPECT_FALSE(lookup.find(folder + "\\*").has_value()) << "a wildcard must not find some other entry";
}

TEST(Win32SpecialFolders, KnownFoldersAreAbsoluteAndSystemHoldsSystem32) {
    const Win32SpecialFolders folders;
    for (const std::string& folder : {folders.applicationData(), folders.documents()}) {
        EXPECT_TRUE(fs::path(win32::Widen(folder)).is_absolute()) << folder;
    }
    const std::vector<std::string> system = folders.systemFolders();
    ASSERT_EQ(system.size(), 1u);
    EXPECT_TRUE(fs::exists(Utf8Path(system.front()) / "kernel32.dll")) << system.front();
}

TEST(Win32VersionResource, TheBuiltTestProgramCarriesTheFieldsOfTheBuild) {
    const auto fields = ReadVersionFields(TALVEX_BIN_DIR "/talvex_test_child.exe");
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->texts.internalName, "talvex_test_child");
    EXPECT_EQ(fields->texts.fileDescription, "Testkind für Talvex") << "non-ASCII text keeps its letters";
    EXPECT_EQ(fields->texts.comments, "Nur für Tests");
    EXPECT_EQ(fields->texts.companyName, "Talvex");
    EXPECT_FALSE(fields->texts.legalCopyright.empty());
    EXPECT_EQ(fields->texts.homepage.rfind("https://", 0), 0u);
    EXPECT_EQ(std::count(fields->texts.fileVersion.begin(), fields->texts.fileVersion.end(), '.'), 3);
    EXPECT_TRUE(fields->preRelease);

    const fakes::TempFolder temp;
    fakes::TempFolder::Write(temp.file("plain.exe"), "MZ but nothing else");
    EXPECT_FALSE(ReadVersionFields(temp.file("plain.exe")).has_value());
    EXPECT_FALSE(ReadVersionFields(temp.file("missing.exe")).has_value());
}

// The test writes the installer's record into Wine's registry and removes it again.
class Win32BurningToolTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const wchar_t* key : {L"Software\\ImgBurn", L"Software\\DVD Decrypter"}) {
            ::RegDeleteTreeW(HKEY_CURRENT_USER, key);
            ::RegDeleteKeyW(HKEY_CURRENT_USER, key);
        }
    }
    static void Record(const wchar_t* key, const std::string& folder) {
        const std::wstring value = win32::Widen(folder);
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key, L"InstallDirectory", REG_SZ, value.c_str(),
                                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    fakes::TempFolder m_temp;
};

TEST_F(Win32BurningToolTest, ImgBurnFirstThenDvdDecrypterAndOnlyAProgramThatExists) {
    const std::string imgBurnFolder = Utf8(m_temp.path() / "ImgBurn");
    const std::string decrypterFolder = Utf8(m_temp.path() / "DVD Decrypter");
    fs::create_directory(Utf8Path(imgBurnFolder));
    fs::create_directory(Utf8Path(decrypterFolder));
    EXPECT_FALSE(InstalledBurningTool().has_value());

    Record(L"Software\\DVD Decrypter", decrypterFolder + "\\");
    Record(L"Software\\ImgBurn", imgBurnFolder); // without the closing "\": it is added
    EXPECT_FALSE(InstalledBurningTool().has_value()) << "recorded, but no program file there";

    fakes::TempFolder::Write(decrypterFolder + "\\DVDDecrypter.exe", "");
    EXPECT_EQ(InstalledBurningTool(), decrypterFolder + "\\DVDDecrypter.exe") << "ImgBurn's file is missing";
    fakes::TempFolder::Write(imgBurnFolder + "\\ImgBurn.exe", "");
    EXPECT_EQ(InstalledBurningTool(), imgBurnFolder + "\\ImgBurn.exe");
}

// A machine of made-up drives: letters present, which of them are optical, and their answers.
class FakeDriveQueries final : public DriveQueries {
public:
    struct Drive {
        bool optical = true;
        std::optional<ScsiAddress> address;
        std::string inquiry;
    };
    std::map<char, Drive> drives;

    std::uint32_t logicalDrives() const override {
        std::uint32_t mask = 0;
        for (const auto& [letter, drive] : drives) {
            mask |= std::uint32_t{1} << (letter - 'A');
        }
        return mask;
    }
    bool isOptical(char letter) const override { return drives.at(letter).optical; }
    std::optional<ScsiAddress> address(char letter) const override { return drives.at(letter).address; }
    std::string inquiry(char letter) const override { return drives.at(letter).inquiry; }
};

std::string Inquiry(std::string_view vendor, std::string_view product) {
    std::string answer(8, '\0');
    answer += vendor;
    answer += product;
    return answer;
}

TEST(Win32OpticalDrives, OpticalLettersInOrderWithWhatTheirInquiryTells) {
    FakeDriveQueries queries;
    queries.drives['C'] = {false, std::nullopt, {}};
    queries.drives['R'] = {true, ScsiAddress{2, 0, 1, 0}, Inquiry("HL-DT-ST", "DVDRAM GH24NSD1 ") + "LG00"};
    queries.drives['E'] = {true, ScsiAddress{1, 0, 0, 0}, Inquiry("TSSTcorp", std::string("CDDVDW\0\0junk", 12))};
    queries.drives['F'] = {true, std::nullopt, std::string(10, ' ')}; // could not be asked properly

    const std::vector<OpticalDrive> drives = ListOpticalDrives(queries);
    ASSERT_EQ(drives.size(), 3u);
    EXPECT_EQ(drives[0].device, "E:");
    EXPECT_EQ(drives[0].adapter, 1);
    EXPECT_EQ(drives[0].vendor, "TSSTcorp");
    EXPECT_EQ(drives[0].product, "CDDVDW") << "ends at the first zero byte";
    EXPECT_EQ(drives[1].device, "F:");
    EXPECT_EQ(drives[1].vendor, "");
    EXPECT_EQ(drives[1].product, "");
    EXPECT_EQ(drives[2].device, "R:");
    EXPECT_EQ((std::array{drives[2].adapter, drives[2].target, drives[2].lun}), (std::array{2, 1, 0}));
    EXPECT_EQ(drives[2].vendor, "HL-DT-ST");
    EXPECT_EQ(drives[2].product, "DVDRAM GH24NSD1") << "trailing blanks trimmed";
}

// A console window of its own (every mode but hidden) must not cost the output: it stays redirected.
TEST(Win32ChildProcess, EveryShowModeStillDeliversTheOutput) {
    for (const ShowMode mode : {ShowMode::Hidden, ShowMode::Normal, ShowMode::Minimised, ShowMode::Maximised}) {
        const auto process = CreateChildProcess({TALVEX_BIN_DIR, std::chrono::milliseconds(300)});
        ASSERT_FALSE(
            process->start("talvex_test_child write shown", {.showMode = mode, .environment = {}}).has_value());
        std::string output;
        for (int i = 0; i < 400; ++i) {
            const ChildPoll poll = process->poll(50);
            output.append(poll.output.data(), poll.output.size());
            if (poll.ended) {
                break;
            }
        }
        EXPECT_EQ(output, "shown") << static_cast<int>(mode);
        EXPECT_EQ(process->exitCode(), 0);
    }
}

} // namespace
} // namespace talvex::platform
