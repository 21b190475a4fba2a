#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

#include "DriveHealthFixtures.h"
#include "FixtureMachines.h"
#include "Probes/BlockDevices.h"
#include "Probes/DriveHealthReader.h"

namespace zantiva {
namespace {

using testing::fixtureDriveHealth;
using testing::fixtureMachine;
using Issue = DriveHealthIssue;
using Status = DriveHealthStatus;
namespace fs = std::filesystem;

DriveHealthInfo drive(std::string id, std::string model, std::string bus, std::string medium, double sectors,
                      Status status) {
    DriveHealthInfo d(std::move(id));
    d.model = std::move(model);
    d.busType = std::move(bus);
    d.mediaType = std::move(medium);
    d.sizeGB = sectors * 512.0 / 1e9;
    d.status = status;
    return d;
}

// The other captured machines' drives are printed whole by the --smart mode's tests.
TEST(DriveHealthReader, ADriveWhoseHealthCannotBeAskedIsUnknown) {
    const auto before = std::chrono::system_clock::now();
    const auto report = DriveHealthReader::read(fixtureDriveHealth(fixtureMachine("intel-mac")));
    // smartctl was refused the device: no verdict, so nothing is known.
    EXPECT_EQ(report.drives,
              std::vector{drive("sda", "APPLE SSD SM0512F", "SATA", "SSD", 977105060, Status::unknown)});
    EXPECT_GE(report.checkedAt, before);
}

// A machine made for the case at hand: block devices that are links into a device tree.
class DriveTree {
public:
    void add(const std::string& name, const std::string& devicePath, std::int64_t sectors, int removable = 0) {
        const fs::path device = folder_ / ("sys/devices/" + devicePath + "/" + name);
        fs::create_directories(device / "queue");
        std::ofstream(device / "size") << sectors << '\n';
        std::ofstream(device / "removable") << removable << '\n';
        std::ofstream(device / "queue/rotational") << "0\n";
        fs::create_directories(folder_ / "sys/block");
        fs::create_symlink("../devices/" + devicePath + "/" + name, folder_ / "sys/block" / name);
    }
    fs::path path() const { return folder_.path(); }

private:
    testing::TemporaryFolder folder_;
};

// Five NVMe namespaces on four controllers, with what is no drive or no internal one.
void addMixedDrives(DriveTree& tree) {
    tree.add("nvme10n1", "pci0000:00/0000:00:1d.0/nvme/nvme10", 2000);
    tree.add("nvme2n1", "pci0000:00/0000:00:1c.0/nvme/nvme2", 2000);
    tree.add("nvme0n2", "pci0000:00/0000:00:1b.0/nvme/nvme0", 1000);
    tree.add("nvme0n1", "pci0000:00/0000:00:1b.0/nvme/nvme0", 1000);
    tree.add("nvme0c0n1", "pci0000:00/0000:00:1b.0/nvme/nvme0", 1000);   // one path of a shared namespace
    tree.add("nvme1n1", "virtual/nvme-subsystem/nvme-subsys1", 4000);     // a namespace shared through its subsystem
    tree.add("loop0", "virtual/block", 800);
    tree.add("mmcblk0boot0", "platform/sdhci/mmc_host/mmc0/mmc0:0001/block", 8);
    tree.add("mmcblk0", "platform/sdhci/mmc_host/mmc0/mmc0:0001/block", 3000, 1);   // an SD card
    tree.add("sdc", "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host3/target3:0:0/3:0:0:0/block", 5000);
}

TEST(DriveHealthReader, DrivesComeInNaturalOrderAndEachControllerIsAskedOnce) {
    DriveTree tree;
    addMixedDrives(tree);

    std::map<std::string, int> asked;
    auto options = fixtureDriveHealth(tree.path());
    options.healthLog = [&](const std::string& controller) -> std::optional<std::vector<std::uint8_t>> {
        ++asked[controller];
        if (controller == "nvme2") return std::vector<std::uint8_t>(191, 0);   // too short to use
        if (controller == "nvme10") return std::nullopt;                     // no permission
        std::vector<std::uint8_t> log(512, 0);
        log[5] = 95;
        return log;
    };
    const auto report = DriveHealthReader::read(options);

    std::vector<std::string> ids;
    for (const auto& d : report.drives) ids.push_back(d.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"nvme0n1", "nvme0n2", "nvme1n1", "nvme2n1", "nvme10n1"}));
    EXPECT_EQ(asked, (std::map<std::string, int>{{"nvme0", 1}, {"nvme1", 1}, {"nvme10", 1}, {"nvme2", 1}}));
    ASSERT_EQ(report.drives.size(), 5u);
    EXPECT_EQ(report.drives[0].status, Status::caution);
    EXPECT_EQ(report.drives[0].issues, std::vector<Issue>{Issue::nearingWearLimit});
    EXPECT_EQ(report.drives[1].percentageUsed, 95);
    EXPECT_EQ(report.drives[2].busType, "NVMe");
    EXPECT_EQ(report.drives[2].status, Status::caution);
    for (std::size_t i : {3u, 4u}) {
        EXPECT_EQ(report.drives[i].status, Status::unknown) << i;
        EXPECT_TRUE(report.drives[i].issues.empty()) << i;
        EXPECT_FALSE(report.drives[i].percentageUsed) << i;
    }
    EXPECT_EQ(report.overall(), Status::caution);
}

TEST(DriveHealthReader, TheSpecsListTheSameDrivesWithTheExternalOnes) {
    DriveTree tree;
    addMixedDrives(tree);
    const auto sectors = [](double gigabytes) { return std::to_string(std::lround(gigabytes * 1e9 / 512)); };

    std::vector<std::string> health;
    for (const auto& d : DriveHealthReader::read(fixtureDriveHealth(tree.path())).drives)
        health.push_back(d.busType + " " + sectors(d.sizeGB));
    EXPECT_EQ(health, (std::vector<std::string>{"NVMe 1000", "NVMe 1000", "NVMe 4000", "NVMe 2000", "NVMe 2000"}));

    std::vector<std::string> specs;
    for (const auto& d : readBlockDevices(ProbeRoot(tree.path())))
        specs.push_back(d.interfaceType + " " + sectors(d.capacityGB) + (d.isInternal ? "" : " external"));
    EXPECT_EQ(specs, (std::vector<std::string>{"NVMe 4000", "NVMe 2000", "NVMe 2000", "NVMe 1000", "NVMe 1000",
                                               "USB 5000 external", "MMC 3000 external"}));
}

TEST(DriveHealthReader, ADriveHasTheSameModelAsInTheSpecs) {
    DriveTree tree;
    const std::string disk = "pci0000:00/0000:00:17.0/host0/target0:0:0/0:0:0:0/block";
    tree.add("sda", disk, 2000);
    const fs::path device = tree.path() / "sys/devices" / disk / "sda/device";
    fs::create_directories(device);
    std::ofstream(device / "vendor") << "SEAGATE \n";
    std::ofstream(device / "model") << "ST4000NM0023    \n";

    const auto drives = DriveHealthReader::read(fixtureDriveHealth(tree.path())).drives;
    const auto specs = readBlockDevices(ProbeRoot(tree.path()));
    ASSERT_EQ(drives.size(), 1u);
    ASSERT_EQ(specs.size(), 1u);
    EXPECT_EQ(drives[0].model, "SEAGATE ST4000NM0023");
    EXPECT_EQ(specs[0].model, drives[0].model);
}

TEST(DriveHealthReader, WithoutPermissionOrToolsEveryDriveIsHonestlyUnknown) {
    DriveTree tree;
    tree.add("nvme0n1", "pci0000:00/0000:00:1b.0/nvme/nvme0", 1000);
    DriveHealthOptions options;
    options.root = ProbeRoot(tree.path());   // no /dev/nvme0 under this root: the admin command cannot run
    options.verdictCommand = [](const std::string&) { return std::vector<std::string>{}; };
    const auto report = DriveHealthReader::read(options);
    ASSERT_EQ(report.drives.size(), 1u);
    EXPECT_EQ(report.drives[0].status, Status::unknown);
    EXPECT_TRUE(report.drives[0].issues.empty());
    EXPECT_FALSE(report.score());

    EXPECT_TRUE(DriveHealthReader::read(fixtureDriveHealth(tree.path() / "nowhere")).drives.empty());
}

} // namespace
} // namespace zantiva
