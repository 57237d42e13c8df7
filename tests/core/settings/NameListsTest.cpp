// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "core/options/JobState.h"
#include "core/settings/EditNameLists.h"
#include "core/settings/NameListEditor.h"
#include "core/settings/TAusschluss.h"
#include "fakes/FakeJobEnvironment.h"
#include "fakes/ScriptedUserInterface.h"
#include "fakes/TempFolder.h"

namespace talvex::settings {
namespace {

using Entries = std::vector<NameListEntry>;
using Strings = std::vector<std::string>;
using options::Control;

TEST(NameListText, ReadsBlocksAndWritesThemInFixedOrder) {
    const TAusschluss lists = ReadNameListText("vorher\n/XD\r\nTemp\r\n\r\n/IF\n*.doc\n/xd\n\n");
    EXPECT_EQ(lists.array(NameList::IncludeFiles), (Strings{"/IF", "*.doc", "/xd", ""})); // "/xd" is a name
    EXPECT_EQ(lists.array(NameList::ExcludeFolders), (Strings{"/XD", "Temp", ""}));
    EXPECT_FALSE(lists.hasNames(NameList::ExcludeFiles));

    TAusschluss job;
    job.addExcludeFolder("Temp");
    job.addIncludeFile("*.doc");
    EXPECT_EQ(NameListText(job), "/IF\n*.doc\n\n/XD\nTemp\n\n");
    EXPECT_EQ(NameListText(TAusschluss{}), "");
}

TEST(NameListEntryName, IsTheTextBeforeTheRemark) {
    const struct {
        const char* entry;
        const char* name;
    } cases[] = {{"*.tmp (Zwischendateien)", "*.tmp"},
                 {"  Thumbs.db \t", "Thumbs.db"},
                 {"a(b)(c)", "a"},
                 {"(nur Bemerkung)", ""},
                 {"*.bak", "*.bak"}};
    for (const auto& c : cases) {
        EXPECT_EQ(NameListEntryName(c.entry), c.name) << c.entry;
    }
}

IniStore FileWith(std::string_view section, const Strings& texts) {
    IniStore file;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        file.writeString(section, std::to_string(i), texts[i]);
    }
    return file;
}

TEST(NameListEditorMerge, JobNamesCheckFileEntriesByLowerCasePrefix) {
    const struct {
        const char* name;
        Strings fileEntries;
        Strings jobNames;
        Entries expected;
    } cases[] = {
        {"empty list takes the job's names, blank ones left out",
         {},
         {"*.Doc", "  ", "Temp"},
         {{"*.Doc", true}, {"Temp", true}}},
        {"an entry with a remark is found by its name",
         {"*.bak (Sicherung)", "*.tmp"},
         {"*.bak"},
         {{"*.bak (Sicherung)", true}, {"*.tmp", false}}},
        // Matching the lower-cased name against the entry as written added a second "Thumbs.db" on
        // every confirmation; matching a prefix turned the job's "*.do" into "*.doc" and "*.dot".
        {"a job name finds its entry in any letter case", {"Thumbs.db"}, {"thumbs.DB"}, {{"Thumbs.db", true}}},
        {"a name matches whole, not as the beginning of an entry",
         {"*.doc (Word)", "*.dot", "*.txt"},
         {"*.do"},
         {{"*.doc (Word)", false}, {"*.dot", false}, {"*.txt", false}, {"*.do", true}}},
        {"the empty line ending a block checks nothing", {"a", "b"}, {"a", ""}, {{"a", true}, {"b", false}}},
        {"reading the file stops at the first empty value", {"a", "", "c"}, {}, {{"a", false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TAusschluss job;
        for (const auto& name : c.jobNames) {
            job.addExcludeFile(name);
        }
        const NameListEditor editor(FileWith("/XF", c.fileEntries), job);
        EXPECT_EQ(editor.entries(NameList::ExcludeFiles), c.expected);
        EXPECT_TRUE(editor.entries(NameList::IncludeFiles).empty());
    }
}

TEST(NameListEditorConfirm, CheckedNamesGoToTheJobAndEveryEntryToTheFile) {
    TAusschluss job;
    job.addIncludeFile("*.doc");
    IniStore file = FileWith("/IF", {"*.doc (Word)", "*.xls"});
    file.writeString("/XD", "0", "Temp");
    NameListEditor editor(file, job);
    EXPECT_FALSE(editor.add(NameList::ExcludeFiles, ""));
    EXPECT_TRUE(editor.add(NameList::ExcludeFiles, "(nur Bemerkung)"));
    editor.setChecked(NameList::IncludeFiles, 1, true);

    editor.confirm(job, file);
    EXPECT_EQ(job.array(NameList::IncludeFiles), (Strings{"/IF", "*.doc", "*.xls"}));
    EXPECT_FALSE(job.hasNames(NameList::ExcludeFiles)); // a remark alone names nothing
    EXPECT_FALSE(job.hasNames(NameList::ExcludeFolders));
    EXPECT_EQ(file.serialize(IniEncoding::SystemCodePage), "[/IF]\r\n0=*.doc (Word)\r\n1=*.xls\r\n\r\n"
                                                           "[/XF]\r\n0=(nur Bemerkung)\r\n\r\n"
                                                           "[/ID]\r\n\r\n"
                                                           "[/XD]\r\n0=Temp\r\n\r\n");

    // A name of the job is no remark: "(x86)" stays, or the job would exclude another folder.
    job.addExcludeFolder("C:\\Program Files (x86)");
    NameListEditor again(file, job);
    again.confirm(job, file);
    EXPECT_EQ(job.array(NameList::ExcludeFolders), (Strings{"/XD", "C:\\Program Files (x86)"}));
}

class EditNameListsTest : public ::testing::Test {
protected:
    struct Window final : NameListWindow {
        std::function<bool(NameListEditor&)> action;
        bool run(NameListEditor& editor) override { return action(editor); }
    };

    fakes::TempFolder folder;
    fakes::FakeJobEnvironment environment;
    options::JobState job{environment};
    fakes::ScriptedUserInterface ui;
    Window window;
    std::string listFile = folder.file("TalvexListe.ini");

    void SetUp() override { job.SetJobFlags(false, false, false); }
};

TEST_F(EditNameListsTest, ConfirmingEmptyListsWritesFourEmptySections) {
    window.action = [](NameListEditor&) { return true; };
    EditNameLists(job, folder.path().string(), window, ui);
    EXPECT_EQ(fakes::TempFolder::Read(listFile), "[/IF]\r\n\r\n[/XF]\r\n\r\n[/ID]\r\n\r\n[/XD]\r\n\r\n");
    EXPECT_EQ(job.nameListText(), "");
    for (const Control box : {Control::chb_FIF, Control::chb_FXF, Control::chb_FID, Control::chb_FXD}) {
        EXPECT_FALSE(job.isTicked(box));
    }
}

TEST_F(EditNameListsTest, ConfirmedChoiceRebuildsTheTextAndBoxes) {
    fakes::TempFolder::Write(listFile, "[/XD]\r\n0=Temp (Zwischenablage)\r\n1=Cache\r\n");
    job.setNameListText("/IF\n*.doc\n\n/XD\nCache\n\n");
    window.action = [](NameListEditor& editor) {
        editor.setChecked(NameList::ExcludeFolders, 0, true);
        editor.setChecked(NameList::IncludeFiles, 0, false);
        return true;
    };
    EditNameLists(job, folder.path().string(), window, ui);
    EXPECT_EQ(job.nameListText(), "/XD\nTemp\nCache\n\n");
    EXPECT_FALSE(job.isTicked(Control::chb_FIF));
    EXPECT_TRUE(job.isTicked(Control::chb_FXD));
    EXPECT_NE(fakes::TempFolder::Read(listFile).find("0=*.doc"), std::string::npos); // kept though unchecked
    EXPECT_TRUE(job.modifiedFlag());
}

TEST_F(EditNameListsTest, AbortingChangesNothingButMarksTheJobModified) {
    job.setNameListText("/XF\n*.tmp\n\n");
    job.SetJobFlags(false, false, false);
    window.action = [](NameListEditor& editor) {
        editor.removeAll(NameList::ExcludeFiles);
        return false;
    };
    EditNameLists(job, folder.path().string(), window, ui);
    EXPECT_EQ(job.nameListText(), "/XF\n*.tmp\n\n");
    EXPECT_FALSE(std::filesystem::exists(listFile));
    EXPECT_TRUE(job.modifiedFlag());
}

TEST_F(EditNameListsTest, WithoutASettingsFolderOnlyTheJobChanges) {
    window.action = [](NameListEditor& editor) { return editor.add(NameList::ExcludeFiles, "*.bak"); };
    EditNameLists(job, "", window, ui);
    EXPECT_EQ(job.nameListText(), "/XF\n*.bak\n\n");
    EXPECT_FALSE(std::filesystem::exists("TalvexListe.ini")); // not next to wherever the tests run
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(EditNameListsTest, AListFileThatCannotBeWrittenIsReported) {
    std::filesystem::create_directory(listFile);
    window.action = [](NameListEditor& editor) { return editor.add(NameList::ExcludeFiles, "*.bak"); };
    EditNameLists(job, folder.path().string(), window, ui);
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_NE(ui.messages[0].text.find(listFile), std::string::npos);
    EXPECT_EQ(job.nameListText(), "/XF\n*.bak\n\n"); // the job still gets the user's choice
}

} // namespace
} // namespace talvex::settings
