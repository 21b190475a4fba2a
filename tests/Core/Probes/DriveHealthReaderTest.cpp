#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

#include "DriveHealthFixtures.h"
#include "FixtureMachines.h"
#include "Model/BenchmarkScoring.h"
#include "Probes/BlockDevices.h"
#include "Probes/DriveHealthReader.h"
#include "../../Support/NoFreeDescriptors.h"

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
    options.runsAsRoot = false;
    options.healthLog = [&](const std::string& controller) -> HealthSourceAnswer<std::vector<std::uint8_t>> {
        ++asked[controller];
        if (controller == "nvme2") return {.value = std::vector<std::uint8_t>(191, 0), .refused = false};   // too short to use
        if (controller == "nvme10") return {.value = std::nullopt, .refused = true};                   // no permission
        std::vector<std::uint8_t> log(512, 0);
        log[5] = 95;
        return {.value = log, .refused = false};
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
    // Only the refused one is for lack of rights; a log too short is simply no log.
    EXPECT_EQ(report.drives[3].unreadReason, std::nullopt);
    EXPECT_EQ(report.drives[4].unreadReason, DriveUnreadReason::nobodyCouldBeAsked);
    EXPECT_EQ(report.overall(), Status::caution);
}

// Two NVMe drives whose own sources turn this user away, a SATA drive whose verdict this
// user may read, and one that tells nothing to anyone.
class RightsCase {
public:
    RightsCase() {
        tree_.add("nvme0n1", "pci0000:00/0000:00:1b.0/nvme/nvme0", 1000);
        tree_.add("nvme1n1", "pci0000:00/0000:00:1c.0/nvme/nvme1", 1000);
        const std::string sata = "pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block";
        tree_.add("sda", sata, 2000);
        tree_.add("sdb", "pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block", 2000);
        options.root = ProbeRoot(tree_.path());
        options.runsAsRoot = false;   // a user's reading, whoever runs the test
        options.healthLog = [](const std::string&) {
            return HealthSourceAnswer<std::vector<std::uint8_t>>{.value = std::nullopt, .refused = true};
        };
        options.verdict = [](const std::string& drive) -> HealthSourceAnswer<bool> {
            if (drive == "sda") return {.value = true, .refused = false};
            if (drive == "sdb") return {};
            return {.value = std::nullopt, .refused = true};
        };
    }

    std::vector<std::string> asked;
    DriveHealthOptions options;

    // Each drive marked with why it went unread, by id.
    static std::map<std::string, DriveUnreadReason> unread(const DriveHealthReport& report) {
        std::map<std::string, DriveUnreadReason> reasons;
        for (const auto& d : report.drives)
            if (d.unreadReason) reasons.emplace(d.id, *d.unreadReason);
        return reasons;
    }

private:
    DriveTree tree_;
};

TEST(DriveHealthReader, ADriveRefusedForLackOfRightsIsReadWithThemWhenTheyAreGiven) {
    RightsCase c;
    c.options.withAdministratorRights = [&c](const std::string& drive, const CancelToken&) {
        c.asked.push_back(drive);
        if (drive == "nvme1n1")
            return ElevatedDriveReading{.end = ElevatedReadEnd::read, .reading = {.nvmeLog = std::nullopt, .verdict = true}};
        std::vector<std::uint8_t> log(512, 0);
        log[5] = 95;
        return ElevatedDriveReading{.end = ElevatedReadEnd::read, .reading = {.nvmeLog = log, .verdict = std::nullopt}};
    };
    const auto report = DriveHealthReader::read(c.options);

    // Only the refused drives are read with the rights; what their own sources gave stays.
    EXPECT_EQ(c.asked, (std::vector<std::string>{"nvme0n1", "nvme1n1"}));
    std::vector<Status> statuses;
    for (const auto& d : report.drives) statuses.push_back(d.status);
    EXPECT_EQ(statuses, (std::vector<Status>{Status::caution, Status::good, Status::good, Status::unknown}));
    EXPECT_EQ(report.drives[0].percentageUsed, 95);
    EXPECT_EQ(report.drives[0].issues, std::vector<Issue>{Issue::nearingWearLimit});
    EXPECT_TRUE(RightsCase::unread(report).empty());
}

// However the question ends without a reading, the drives refused to the user say that end,
// and only a declined question says the rights weren't given.
TEST(DriveHealthReader, RightsNotGivenAreAskedForOnceAndTheDrivesSaySo) {
    const std::map<ElevatedReadEnd, DriveUnreadReason> reasons{
        {ElevatedReadEnd::declined, DriveUnreadReason::rightsNotGranted},
        {ElevatedReadEnd::nobodyToAsk, DriveUnreadReason::nobodyCouldBeAsked},
        {ElevatedReadEnd::failed, DriveUnreadReason::readFailed},
    };
    for (const auto& [end, reason] : reasons) {
        RightsCase c;
        c.options.withAdministratorRights = [&c, end](const std::string& drive, const CancelToken&) {
            c.asked.push_back(drive);
            return ElevatedDriveReading{.end = end, .reading = {}};
        };
        const auto report = DriveHealthReader::read(c.options);
        const auto shown = static_cast<int>(end);
        // A failed read speaks only for its drive; a declined or impossible question for all.
        const auto askedFor = end == ElevatedReadEnd::failed ? std::vector<std::string>{"nvme0n1", "nvme1n1"}
                                                             : std::vector<std::string>{"nvme0n1"};
        EXPECT_EQ(c.asked, askedFor) << shown;
        EXPECT_EQ(RightsCase::unread(report),
                  (std::map<std::string, DriveUnreadReason>{{"nvme0n1", reason}, {"nvme1n1", reason}}))
            << shown;
        EXPECT_TRUE(report.drives[0].issues.empty()) << shown;
        // They stay out of the score; the drive read without rights still counts.
        EXPECT_EQ(report.drives[2].status, Status::good) << shown;
        EXPECT_EQ(report.score(), 100) << shown;
    }

    // Nobody to ask (the hardware dump) says so.
    RightsCase c;
    EXPECT_EQ(RightsCase::unread(DriveHealthReader::read(c.options)),
              (std::map<std::string, DriveUnreadReason>{{"nvme0n1", DriveUnreadReason::nobodyCouldBeAsked},
                                                        {"nvme1n1", DriveUnreadReason::nobodyCouldBeAsked}}));
}

// Root already has the rights: a drive refused to it is refused by the system, and asking
// (pkexec) would only be told the same.
TEST(DriveHealthReader, RootAsksNobodyAndADriveRefusedToItCantBeReadHere) {
    RightsCase c;
    c.options.runsAsRoot = true;
    c.options.withAdministratorRights = [&c](const std::string& drive, const CancelToken&) {
        c.asked.push_back(drive);
        return ElevatedDriveReading{.end = ElevatedReadEnd::declined, .reading = {}};
    };
    const auto report = DriveHealthReader::read(c.options);
    EXPECT_TRUE(c.asked.empty());
    EXPECT_EQ(RightsCase::unread(report),
              (std::map<std::string, DriveUnreadReason>{{"nvme0n1", DriveUnreadReason::refusedHere},
                                                        {"nvme1n1", DriveUnreadReason::refusedHere}}));
    EXPECT_EQ(report.score(), 100);
}

TEST(DriveHealthReader, AReadingStoppedDuringTheQuestionAsksNoMoreAndClaimsNothingAboutRights) {
    RightsCase c;
    const CancelToken cancel;
    c.options.withAdministratorRights = [&c, cancel](const std::string& drive, const CancelToken& given) {
        c.asked.push_back(drive);
        cancel.cancel();   // the run is stopped while the question is open
        EXPECT_TRUE(given.isCancelled());
        return ElevatedDriveReading{.end = ElevatedReadEnd::stopped, .reading = {}};
    };
    const auto stopped = DriveHealthReader::read(c.options, cancel);
    EXPECT_EQ(c.asked, std::vector<std::string>{"nvme0n1"});
    // Never answered, so not declined: unknown, out of the score, and no word about rights.
    EXPECT_TRUE(RightsCase::unread(stopped).empty());
    EXPECT_EQ(stopped.drives[0].status, Status::unknown);
    EXPECT_EQ(stopped.drives[1].status, Status::unknown);
    // Nor is any later drive read, though this user could read sda.
    EXPECT_EQ(stopped.drives[2].status, Status::unknown);
    EXPECT_FALSE(stopped.score());
}

// On quit the window waits for the reading: once stopped, no later drive's sources are read
// (each smartctl run may take seconds) and the drives left unread claim nothing.
TEST(DriveHealthReader, AReadingStoppedDuringADrivesReadReadsNoFurtherDrive) {
    RightsCase c;
    const CancelToken cancel;
    std::vector<std::string> read;
    c.options.healthLog = [&read](const std::string& controller) {
        read.push_back(controller);
        return HealthSourceAnswer<std::vector<std::uint8_t>>{.value = std::nullopt, .refused = true};
    };
    const auto verdict = c.options.verdict;
    c.options.verdict = [&read, cancel, verdict](const std::string& drive) {
        read.push_back(drive);
        cancel.cancel();   // the run is stopped while the first drive's verdict is read
        return verdict(drive);
    };
    c.options.withAdministratorRights = [&c](const std::string& drive, const CancelToken&) {
        c.asked.push_back(drive);
        return ElevatedDriveReading{.end = ElevatedReadEnd::declined, .reading = {}};
    };
    const auto stopped = DriveHealthReader::read(c.options, cancel);
    EXPECT_EQ(read, (std::vector<std::string>{"nvme0", "nvme0n1"}));
    EXPECT_TRUE(c.asked.empty());
    // sda would have passed, had it been read.
    ASSERT_EQ(stopped.drives.size(), 4u);
    for (const auto& d : stopped.drives) EXPECT_EQ(d.status, Status::unknown) << d.id;
    EXPECT_TRUE(RightsCase::unread(stopped).empty());
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
    options.verdict = [](const std::string&) { return HealthSourceAnswer<bool>{}; };
    const auto report = DriveHealthReader::read(options);
    ASSERT_EQ(report.drives.size(), 1u);
    EXPECT_EQ(report.drives[0].status, Status::unknown);
    EXPECT_TRUE(report.drives[0].issues.empty());
    EXPECT_FALSE(report.score());

    // No /sys/block at all is an answer: no drives, and nothing failed.
    const auto none = DriveHealthReader::read(fixtureDriveHealth(tree.path() / "nowhere"));
    EXPECT_TRUE(none.drives.empty());
    EXPECT_EQ(none.listingError, std::nullopt);
}

// A process out of descriptors can't list /sys/block: that says nothing about the drives, so
// the stored reading, with its failing drive, still decides the health score.
TEST(DriveHealthReader, AListOfDrivesThatCantBeReadLeavesTheStoredReadingInPlace) {
    if (const auto why = testing::NoFreeDescriptors::unavailable()) GTEST_SKIP() << *why;
    const auto options = fixtureDriveHealth(fixtureMachine("amd-desktop"));
    FinalBenchmarkReport stored;
    stored.audioPassed = true;
    stored.driveHealth = DriveHealthReader::read(options);
    ASSERT_EQ(BenchmarkScoring::healthScore(stored), 50.0);   // sdb is failing

    FinalBenchmarkReport rerun;
    {
        testing::NoFreeDescriptors exhausted;
        rerun.driveHealth = DriveHealthReader::read(options);
    }
    const auto merged = BenchmarkScoring::merge(stored, rerun);
    EXPECT_EQ(merged.driveHealth, stored.driveHealth);
    EXPECT_EQ(merged.overallScore, 50.0);

    EXPECT_TRUE(rerun.driveHealth->drives.empty());
    EXPECT_EQ(rerun.driveHealth->listingError, "Too many open files");
    EXPECT_EQ(rerun.driveHealth->overall(), Status::unknown);
    EXPECT_EQ(rerun.driveHealth->score(), std::nullopt);
}

TEST(DriveHealthReader, ABlockFolderThatIsNoFolderIsAFailedListNotNoDrives) {
    testing::TemporaryFolder machine;
    fs::create_directories(machine.path() / "sys");
    std::ofstream(machine.path() / "sys/block") << "not a folder\n";
    const auto report = DriveHealthReader::read(fixtureDriveHealth(machine.path()));
    EXPECT_TRUE(report.drives.empty());
    EXPECT_EQ(report.listingError, "Not a directory");
}

} // namespace
} // namespace zantiva
