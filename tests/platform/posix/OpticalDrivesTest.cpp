// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OpticalDrives.h"

#include <array>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/media/BurnerList.h"
#include "fakes/TempFolder.h"

namespace talvex::platform {
namespace {

namespace fs = std::filesystem;

// A sysfs tree as the kernel lays it out: the block entry's device link leads to the SCSI device
// named by its address.
void AddDrive(const fs::path& root, const std::string& name, const std::string& address, const std::string& vendor,
              const std::string& model) {
    const fs::path device = root / "devices" / "pci0000:00" / ("host" + address.substr(0, 1)) / address;
    fs::create_directories(device);
    fakes::TempFolder::Write((device / "vendor").string(), vendor);
    fakes::TempFolder::Write((device / "model").string(), model);
    fs::create_directories(root / "class" / "block" / name);
    fs::create_directory_symlink(fs::relative(device, root / "class" / "block" / name),
                                 root / "class" / "block" / name / "device");
}

TEST(OpticalDrives, ListsTheSrDevicesOfASysfsTreeInNumberOrder) {
    struct Case {
        const char* what;
        std::vector<std::array<std::string, 5>> drives;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"one, padded INQUIRY texts",
         {{"sr0", "1:0:0:0", "HL-DT-ST", "DVDRAM GH24NSD1 \n", ""}},
         {"/dev/sr0 (1:0:0) HL-DT-ST DVDRAM GH24NSD1"}},
        {"two, sr10 after sr2; disks are not drives",
         {{"sr10", "3:0:1:2", "ASUS    ", "DRW-24D5MT      ", ""},
          {"sr2", "2:0:0:0", std::string("TSST\0CORP", 9), "SH-224", ""},
          {"sda", "0:0:0:0", "ATA", "Samsung SSD", ""}},
         {"/dev/sr2 (2:0:0) TSST SH-224", "/dev/sr10 (3:1:2) ASUS DRW-24D5MT"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fakes::TempFolder sys;
        fs::create_directories(sys.path() / "class" / "block");
        for (const auto& d : c.drives) {
            AddDrive(sys.path(), d[0], d[1], d[2], d[3]);
        }
        EXPECT_EQ(media::BuildBurnerList(ListOpticalDrives(sys.path().string())), c.expected);
    }
}

TEST(OpticalDrives, ADriveWithoutDetailsKeepsItsDeviceAndAMissingTreeHasNone) {
    fakes::TempFolder sys;
    fs::create_directories(sys.path() / "class" / "block" / "sr0");
    EXPECT_EQ(media::BuildBurnerList(ListOpticalDrives(sys.path().string())),
              std::vector<std::string>{"/dev/sr0 (0:0:0)"});
    EXPECT_TRUE(ListOpticalDrives(sys.file("fehlt")).empty());
}

} // namespace
} // namespace talvex::platform
