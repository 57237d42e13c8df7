// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

TEST(Engine, IsBuiltBesideTheProgram) {
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(TALVEX_BIN_DIR) / "robocopy"));
}

} // namespace
