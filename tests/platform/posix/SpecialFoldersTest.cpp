// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SpecialFolders.h"

#include <map>
#include <set>

#include <gtest/gtest.h>

namespace talvex::platform {
namespace {

struct World {
    std::map<std::string, std::string> environment;
    std::optional<std::string> xdgOutput;
    std::set<std::string> folders;

    PosixSpecialFolders special() const {
        return PosixSpecialFolders(
            [this](const char* name) -> std::optional<std::string> {
                const auto it = environment.find(name);
                return it == environment.end() ? std::nullopt : std::optional(it->second);
            },
            [this] { return xdgOutput; }, [this](const std::string& path) { return folders.count(path) > 0; });
    }
};

TEST(SpecialFolders, ApplicationDataFollowsXdgConfigHome) {
    World world;
    world.environment = {{"HOME", "/home/u"}};
    EXPECT_EQ(world.special().applicationData(), "/home/u/.config");
    world.environment["XDG_CONFIG_HOME"] = "/cfg";
    EXPECT_EQ(world.special().applicationData(), "/cfg");
    world.environment["XDG_CONFIG_HOME"] = "relative/cfg"; // invalid, ignored
    EXPECT_EQ(world.special().applicationData(), "/home/u/.config");
    world.environment = {};
    EXPECT_EQ(world.special().applicationData(), "");
}

TEST(SpecialFolders, DocumentsFallBackFromXdgToDocumentsToHome) {
    World world;
    world.environment = {{"HOME", "/home/u"}};
    world.folders = {"/home/u", "/home/u/Dokumente", "/home/u/Documents"};
    world.xdgOutput = "/home/u/Dokumente";
    EXPECT_EQ(world.special().documents(), "/home/u/Dokumente");
    world.xdgOutput = "/home/u/Gone"; // configured but missing
    EXPECT_EQ(world.special().documents(), "/home/u/Documents");
    world.xdgOutput = std::nullopt; // tool not installed
    world.folders = {"/home/u"};
    EXPECT_EQ(world.special().documents(), "/home/u");
}

TEST(SpecialFolders, SystemFoldersAreTheAbsoluteEntriesOfPath) {
    World world;
    world.environment = {{"PATH", "/usr/local/bin::/usr/bin:.:bin:/usr/bin:/bin:"}};
    EXPECT_EQ(world.special().systemFolders(), (std::vector<std::string>{"/usr/local/bin", "/usr/bin", "/bin"}));
    world.environment = {};
    EXPECT_TRUE(world.special().systemFolders().empty());
}

} // namespace
} // namespace talvex::platform
