// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Decision.h"

#include <optional>

#include <gtest/gtest.h>

namespace {

using robocopy::Action;
using robocopy::Decision;
using robocopy::Entry;
using robocopy::FileClass;
using robocopy::Options;
using robocopy::Scope;
using Tweak = void (*)(Options&);

Entry File(off_t size = 6, time_t seconds = 1000, mode_t mode = S_IFREG | 0644) {
    Entry entry;
    entry.name = "f";
    entry.status.st_size = size;
    entry.status.st_mtim.tv_sec = seconds;
    entry.status.st_mode = mode;
    return entry;
}

Entry Folder() {
    return File(4096, 1000, S_IFDIR | 0755);
}

// A link as the listing shows it: followed unless /SL, dangling when its target is gone.
Entry Link(mode_t shown = S_IFREG | 0644, int error = 0) {
    Entry entry = File(6, 1000, shown);
    entry.isLink = true;
    entry.error = error;
    entry.linkToDir = S_ISDIR(shown);
    return entry;
}

void None(Options&) {}

TEST(Decision, ClassesBySizeTimeAndMode) {
    const auto at = [](off_t size, time_t seconds, long nanoseconds, mode_t mode = 0644) {
        robocopy::Status status = File(size, seconds, S_IFREG | mode).status;
        status.st_mtim.tv_nsec = nanoseconds;
        return status;
    };
    struct Case {
        robocopy::Status destination;
        bool fat;
        FileClass expected;
    };
    const robocopy::Status source = at(100, 1000, 500);
    const Case cases[] = {
        {at(100, 1000, 500), false, FileClass::Same},
        {at(100, 1000, 400), false, FileClass::Newer}, // nanoseconds count
        {at(100, 1000, 600), false, FileClass::Older},
        {at(99, 1000, 500), false, FileClass::Changed},
        {at(100, 1000, 500, 0600), false, FileClass::Tweaked},
        {at(100, 999, 0), true, FileClass::Same}, // within two seconds on FAT
        {at(100, 997, 0), true, FileClass::Newer},
        {at(100, 1003, 0), true, FileClass::Older},
        {at(7, 1001, 0), true, FileClass::Changed},
    };
    for (const Case& c : cases) {
        Options options;
        options.fatTimes = c.fat;
        EXPECT_EQ(robocopy::Classify(source, &c.destination, options), c.expected)
            << c.destination.st_size << " " << c.destination.st_mtim.tv_sec;
    }
    EXPECT_EQ(robocopy::Classify(source, nullptr, Options{}), FileClass::New);
}

TEST(Decision, SourceFileAgainstDestination) {
    struct Case {
        const char* what;
        Tweak tweak;
        Entry source;
        std::optional<Entry> dest;
        Action action;
        std::string_view label;
    };
    const Case cases[] = {
        {"new", None, File(), std::nullopt, Action::Copy, "New File"},
        {"newer", None, File(), File(6, 900), Action::Copy, "Newer"},
        {"older", None, File(), File(6, 1100), Action::Copy, "Older"},
        {"changed", None, File(), File(5), Action::Copy, "Changed"},
        {"same", None, File(), File(), Action::Skip, "same"},
        {"same /IS", [](Options& o) { o.includeSame = true; }, File(), File(), Action::Copy, "same"},
        {"tweaked", None, File(), File(6, 1000, S_IFREG | 0600), Action::Skip, "Tweaked"},
        {"tweaked /IT", [](Options& o) { o.includeTweaked = true; }, File(), File(6, 1000, S_IFREG | 0600),
         Action::Copy, "Tweaked"},
        {"mode not copied", [](Options& o) { o.copy.attributes = false; }, File(), File(6, 1000, S_IFREG | 0600),
         Action::Skip, "same"},
        {"/XO", [](Options& o) { o.excludeOlder = true; }, File(), File(6, 1100), Action::Skip, "Older"},
        {"/XN", [](Options& o) { o.excludeNewer = true; }, File(), File(6, 900), Action::Skip, "Newer"},
        {"/XC", [](Options& o) { o.excludeChanged = true; }, File(), File(5), Action::Skip, "Changed"},
        {"/XL", [](Options& o) { o.excludeLonely = true; }, File(), std::nullopt, Action::Skip, "lonely"},
        {"/MAX", [](Options& o) { o.maxSize = 5; }, File(), std::nullopt, Action::Skip, "large"},
        {"/MIN", [](Options& o) { o.minSize = 7; }, File(), std::nullopt, Action::Skip, "small"},
        {"/MAX before /IS", [](Options& o) { o.maxSize = 5, o.includeSame = true; }, File(), File(), Action::Skip,
         "large"},
        {"onto a folder", None, File(), Folder(), Action::Mismatch, "*Mismatch"},
        {"onto a folder /PURGE", [](Options& o) { o.purge = true; }, File(), Folder(), Action::Replace, "*Mismatch"},
        {"onto a folder /PURGE /L", [](Options& o) { o.purge = o.listOnly = true; }, File(), Folder(), Action::Mismatch,
         "*Mismatch"},
        {"/SL link onto a file", [](Options& o) { o.copyLinks = true; }, Link(S_IFLNK | 0777), File(), Action::Mismatch,
         "*Mismatch"},
        {"/SL link onto a link", [](Options& o) { o.copyLinks = true; }, Link(S_IFLNK | 0777),
         File(6, 900, S_IFLNK | 0777), Action::Copy, "Newer"},
        {"followed link", None, Link(), File(6, 900), Action::Copy, "Newer"},
        {"dangling link", None, Link(S_IFLNK | 0777, ENOENT), std::nullopt, Action::Dangling, "*Dangling"},
        {"/XF", [](Options& o) { o.excludeFiles = {"F"}; }, File(), std::nullopt, Action::Ignore, ""},
        {"/XF full path", [](Options& o) { o.excludeFiles = {"/src/*"}; }, File(), File(5), Action::Ignore, ""},
        {"FILE pattern", [](Options& o) { o.filePatterns = {"*.txt"}; }, File(), std::nullopt, Action::Ignore, ""},
        {"fifo", None, File(0, 1000, S_IFIFO | 0644), std::nullopt, Action::Unsupported, "*Special"},
        {"fifo made anew", [](Options& o) { o.copySpecialFiles = true; }, File(0, 1000, S_IFIFO | 0644), std::nullopt,
         Action::Copy, "New File"},
        {"fifo onto a file", [](Options& o) { o.copySpecialFiles = true; }, File(0, 1000, S_IFIFO | 0644), File(),
         Action::Mismatch, "*Mismatch"},
        {"socket", [](Options& o) { o.copySpecialFiles = true; }, File(0, 1000, S_IFSOCK | 0644), std::nullopt,
         Action::Unsupported, "*Special"},
        {"/L", [](Options& o) { o.listOnly = true; }, File(), File(5), Action::List, "Changed"},
        {"/NOCOPY", [](Options& o) { o.copy = {false, false, false, false, false, false}; }, File(), File(5),
         Action::Skip, ""},
        {"/COPY:T", [](Options& o) { o.copy = {false, false, true, false, false, false}; }, File(), File(5),
         Action::Metadata, "Changed"},
        {"/COPY:T without a file", [](Options& o) { o.copy = {false, false, true, false, false, false}; }, File(),
         std::nullopt, Action::Skip, ""},
        {"/CREATE", [](Options& o) { o.createOnly = true, o.copy.data = false; }, File(), std::nullopt, Action::Copy,
         "New File"},
    };
    for (const Case& c : cases) {
        Options options;
        c.tweak(options);
        const Decision decision = robocopy::DecideFile(c.source, c.dest ? &*c.dest : nullptr, "/src/", options);
        EXPECT_EQ(decision.action, c.action) << c.what;
        EXPECT_EQ(decision.label, c.label) << c.what;
    }
}

TEST(Decision, SourceFolderAgainstDestination) {
    struct Case {
        const char* what;
        Tweak tweak;
        int level;
        Scope parent;
        std::optional<Entry> dest;
        Action action;
        Scope scope;
    };
    const auto s = [](Options& o) { o.subdirectories = true; };
    const Case cases[] = {
        {"no /S", None, 1, Scope::Root, std::nullopt, Action::Skip, Scope::Included},
        {"/S", s, 1, Scope::Root, Folder(), Action::Enter, Scope::Included},
        {"onto a file, even without /S", None, 1, Scope::Root, File(), Action::Mismatch, Scope::Included},
        {"onto a file /PURGE without /S", [](Options& o) { o.purge = true; }, 1, Scope::Root, File(), Action::Mismatch,
         Scope::Included},
        {"onto a file /MIR", [](Options& o) { o.emptyDirectories = o.purge = true; }, 1, Scope::Root, File(),
         Action::Replace, Scope::Included},
        {"/LEV:2 at the limit", [](Options& o) { o.subdirectories = true, o.levels = 2; }, 2, Scope::Root, std::nullopt,
         Action::Skip, Scope::Included},
        {"/XD", [](Options& o) { o.subdirectories = true, o.excludeDirectories = {"F"}; }, 1, Scope::Root, std::nullopt,
         Action::Ignore, Scope::Included},
        {"/ID by name", [](Options& o) { o.subdirectories = true, o.includeDirectories = {"f"}; }, 1, Scope::Root,
         std::nullopt, Action::Enter, Scope::Included},
        {"/ID elsewhere", [](Options& o) { o.subdirectories = true, o.includeDirectories = {"g"}; }, 1, Scope::Root,
         std::nullopt, Action::Ignore, Scope::Included},
        {"/ID below", [](Options& o) { o.subdirectories = true, o.includeDirectories = {"/src/f/g"}; }, 1, Scope::Root,
         std::nullopt, Action::Enter, Scope::LeadsTo},
        {"/ID inherited", [](Options& o) { o.subdirectories = true, o.includeDirectories = {"g"}; }, 2, Scope::Included,
         std::nullopt, Action::Enter, Scope::Included},
    };
    for (const Case& c : cases) {
        Options options;
        c.tweak(options);
        const Decision decision =
            robocopy::DecideFolder(Folder(), c.dest ? &*c.dest : nullptr, "/src/", c.level, c.parent, options);
        EXPECT_EQ(decision.action, c.action) << c.what;
        EXPECT_EQ(decision.scope, c.scope) << c.what;
    }
}

// What a mirror deletes: only extras inside the run's filters, never a protected one, nothing under /L.
TEST(Decision, ExtrasInTheDestination) {
    struct Case {
        const char* what;
        Tweak tweak;
        bool isProtected;
        Action fileAction;
        Action folderAction;
    };
    const auto purge = [](Options& o) { o.purge = true; };
    const Case cases[] = {
        {"counted", None, false, Action::Extra, Action::Extra},
        {"/PURGE", purge, false, Action::Purge, Action::Purge},
        {"/PURGE /L", [](Options& o) { o.purge = o.listOnly = true; }, false, Action::Extra, Action::Extra},
        {"/PURGE /XX", [](Options& o) { o.purge = o.excludeExtra = true; }, false, Action::Ignore, Action::Ignore},
        {"protected", purge, true, Action::Ignore, Action::Ignore},
        {"protected /X", [](Options& o) { o.purge = o.reportExtras = true; }, true, Action::Name, Action::Ignore},
        {"/XF /XD", [](Options& o) { o.purge = true, o.excludeFiles = {"f"}, o.excludeDirectories = {"f"}; }, false,
         Action::Ignore, Action::Ignore},
        {"/XF /XD by destination path",
         [](Options& o) { o.purge = true, o.excludeFiles = {"/dst/f"}, o.excludeDirectories = {"/dst/f"}; }, false,
         Action::Ignore, Action::Ignore},
        {"/XF /X", [](Options& o) { o.purge = o.reportExtras = true, o.excludeFiles = {"f"}; }, false, Action::Name,
         Action::Purge},
    };
    for (const Case& c : cases) {
        Options options;
        c.tweak(options);
        EXPECT_EQ(robocopy::DecideExtraFile(File(), "/src/", "/dst/", c.isProtected, options).action, c.fileAction)
            << c.what;
        EXPECT_EQ(
            robocopy::DecideExtraFolder(Folder(), "/src/", "/dst/", 2, Scope::Included, c.isProtected, options).action,
            c.folderAction)
            << c.what;
    }
    Options options;
    options.purge = true;
    Entry volume = Folder();
    volume.name = "system volume information";
    EXPECT_EQ(robocopy::DecideExtraFolder(volume, "/src/", "/dst/", 1, Scope::Root, false, options).action,
              Action::Ignore);
    EXPECT_EQ(robocopy::DecideExtraFolder(volume, "/src/", "/dst/", 2, Scope::Included, false, options).action,
              Action::Purge);
}

} // namespace
