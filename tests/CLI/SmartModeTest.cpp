#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <regex>
#include <sstream>
#include <unistd.h>

#include "../Core/Probes/DriveHealthFixtures.h"
#include "../Core/Probes/FixtureMachines.h"
#include "../Support/NoFreeDescriptors.h"
#include "../Support/PollUntil.h"
#include <QCoreApplication>

#include "CLI/SmartMode.h"
#include "Platform/BoundedProcess.h"
#include "Platform/FileDescriptor.h"
#include "Probes/InternalDrives.h"

namespace zantiva {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string lines(const DriveHealthReport& report) {
    std::ostringstream out;
    printDriveHealthLines(out, report, Loc(AppLanguage::english));
    return out.str();
}

DriveHealthReport fixtureReport(const std::string& machine) {
    auto report = DriveHealthReader::read(testing::fixtureDriveHealth(testing::fixtureMachine(machine)));
    report.checkedAt = *parseIso8601("2026-12-06T21:00:00Z");
    return report;
}

TEST(SmartMode, PrintsTheReportThenEachDriveUnderItsName) {
    EXPECT_EQ(lines(fixtureReport("amd-desktop")),
              "checkedAt: 2026-12-06T21:00:00Z\n"
              "drives: 2\n"
              "overall: bad\n"
              "score: 0\n"
              "sda.busType: SATA\n"
              "sda.mediaType: SSD\n"
              "sda.model: Samsung SSD 870 EVO 1TB\n"
              "sda.sizeGB: 1000.204886016\n"
              "sda.status: good\n"
              "sdb.busType: SATA\n"
              "sdb.issues.0: systemUnhealthy\n"
              "sdb.mediaType: HDD\n"
              "sdb.model: ST2000DM008-2FR102\n"
              "sdb.sizeGB: 2000.398934016\n"
              "sdb.status: bad\n");
}

TEST(SmartMode, AListOfDrivesThatCouldntBeReadPrintsWhyAndNoDriveCount) {
    if (const auto why = testing::NoFreeDescriptors::unavailable()) GTEST_SKIP() << *why;
    DriveHealthReport report;
    {
        testing::NoFreeDescriptors exhausted;
        report = DriveHealthReader::read(testing::fixtureDriveHealth(testing::fixtureMachine("amd-desktop")));
    }
    report.checkedAt = *parseIso8601("2026-12-06T21:00:00Z");
    EXPECT_EQ(lines(report), "checkedAt: 2026-12-06T21:00:00Z\n"
                             "listingError: Too many open files\n"
                             "note: The list of this computer's drives couldn't be read (Too many open files), so "
                             "their health is unknown and isn't counted.\n"
                             "overall: unknown\n");
}

TEST(SmartMode, NvmeReadingsPrintAndUnknownDrivesPrintNoScore) {
    // The readings come from the drive's record; that they print under the drive's name is ours.
    const std::string nvme = lines(fixtureReport("intel-hybrid-laptop"));
    EXPECT_THAT(nvme, HasSubstr("\noverall: good\nscore: 100\n"));
    EXPECT_THAT(nvme, HasSubstr("\nnvme0n1.percentageUsed: 3\n"));
    EXPECT_THAT(nvme, HasSubstr("\nnvme0n1.status: good\n"));

    const std::string unknown = lines(fixtureReport("virtual-machine"));
    EXPECT_THAT(unknown, HasSubstr("\noverall: unknown\n"));
    EXPECT_THAT(unknown, HasSubstr("\nvda.status: unknown\n"));
    EXPECT_THAT(unknown, HasSubstr("\nvda.busType: virtio\n"));
    EXPECT_THAT(unknown, Not(HasSubstr("score")));
    EXPECT_THAT(unknown, Not(HasSubstr("percentageUsed")));
    EXPECT_THAT(unknown, Not(HasSubstr("issues")));
    EXPECT_THAT(unknown, Not(HasSubstr("vda.model"))); // a virtual disk tells no model or medium
    EXPECT_THAT(unknown, Not(HasSubstr("vda.mediaType")));

    EXPECT_EQ(lines(DriveHealthReport{{}, *parseIso8601("2026-12-06T21:00:00Z")}),
              "checkedAt: 2026-12-06T21:00:00Z\ndrives: 0\noverall: unknown\n");
}

TEST(SmartMode, TheProgramReadsThisMachineAndExitsWithZero) {
    auto run = runBoundedProcess({ZANTIVA_PROGRAM, "--smart", "--ram"}, std::chrono::seconds(60));
    ASSERT_TRUE(run);
    EXPECT_EQ(run->exitStatus, 0);
    EXPECT_TRUE(std::regex_search(run->output, std::regex("^checkedAt: \\d{4}-\\d\\d-\\d\\dT")));
    EXPECT_TRUE(std::regex_search(run->output, std::regex("\noverall: (unknown|good|caution|bad)\n")));
    EXPECT_THAT(run->output, Not(HasSubstr("averageReadThroughputMBps")));   // --smart is tried first
    EXPECT_THAT(run->output, Not(HasSubstr(": \n")));                        // nothing unread prints empty
    // Whatever the drives, each one's status is a word.
    const std::regex status("\n[a-z0-9]+\\.status: (.*)\n");
    for (std::sregex_iterator it(run->output.begin(), run->output.end(), status), end; it != end; ++it)
        EXPECT_THAT((std::vector<std::string>{"unknown", "good", "caution", "bad"}), ::testing::Contains((*it)[1].str()));
}

TEST(SmartMode, ADriveThatNeedsAdministratorRightsSaysSo) {
    DriveHealthInfo refused("nvme0n1");
    refused.unreadReason = DriveUnreadReason::rightsNotGranted;
    DriveHealthInfo unasked("nvme1n1");
    unasked.unreadReason = DriveUnreadReason::nobodyCouldBeAsked;
    DriveHealthInfo failed("sda");
    failed.unreadReason = DriveUnreadReason::readFailed;
    DriveHealthInfo withheld("vda");
    withheld.unreadReason = DriveUnreadReason::refusedHere;
    const std::string printed =
        lines(DriveHealthReport{{refused, unasked, failed, withheld}, *parseIso8601("2026-12-06T21:00:00Z")});
    EXPECT_THAT(printed, HasSubstr("\nnvme0n1.needsAdministratorRights: true\n"
                                   "nvme0n1.note: Reading this drive's health needs administrator rights, which "
                                   "weren't granted, so it isn't counted.\n"
                                   "nvme0n1.sizeGB: 0\n"));
    EXPECT_THAT(printed, HasSubstr("\nnvme1n1.note: Reading this drive's health needs administrator rights, but "
                                   "there was no way to ask you for them, so it isn't counted.\n"
                                   "nvme1n1.sizeGB: 0\nnvme1n1.status: unknown\n"
                                   "nvme1n1.unreadReason: nobodyCouldBeAsked\n"));
    EXPECT_THAT(printed, HasSubstr("\nsda.note: Reading this drive's health with administrator rights failed, so it "
                                   "isn't counted.\n"));
    EXPECT_THAT(printed, HasSubstr("\nsda.unreadReason: readFailed\n"));
    EXPECT_THAT(printed, HasSubstr("\nvda.note: This system doesn't allow reading this drive's health, even with "
                                   "administrator rights (common in virtual machines and containers), so it "
                                   "isn't counted.\n"));
    EXPECT_THAT(printed, HasSubstr("\nvda.unreadReason: refusedHere\n"));
    // Only the declined question says the rights are missing.
    EXPECT_EQ(printed.find("needsAdministratorRights"), printed.rfind("needsAdministratorRights"));
    // A drive that simply told nothing keeps quiet about rights.
    EXPECT_THAT(lines(fixtureReport("virtual-machine")), Not(HasSubstr("Rights")));
}

// Ctrl+C while the question for rights waits for an answer: the question is withdrawn (its
// reading sees the stop), nobody else is asked, and no report claims the drives were read.
TEST(SmartMode, AQuitSignalDuringTheQuestionForRightsWithdrawsItAndEndsTheReading) {
    int argc = 1;
    char name[] = "test_cli";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);   // both readings on one, as in the program
    auto options = testing::fixtureDriveHealth(testing::fixtureMachine("intel-hybrid-laptop"));
    options.runsAsRoot = false;   // a user's reading, whoever runs the test
    options.healthLog = [](const std::string&) {
        return HealthSourceAnswer<std::vector<std::uint8_t>>{.value = std::nullopt, .refused = true};
    };
    std::atomic<int> asked = 0;
    std::atomic<bool> withdrawn = false;
    options.withAdministratorRights = [&](const std::string&, const CancelToken& cancel) {
        ++asked;
        ::kill(::getpid(), SIGINT);
        // The answer never comes; only the stop ends the wait (the bound keeps a broken build from hanging).
        testing::pollUntil([&] { return cancel.isCancelled(); }, std::chrono::minutes(1));
        withdrawn = cancel.isCancelled();
        return ElevatedDriveReading{.end = ElevatedReadEnd::stopped, .reading = {}};
    };
    EXPECT_FALSE(readDriveHealthUnlessQuit(options));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(withdrawn);

    // Without a signal the same reading gives its report.
    options.withAdministratorRights = nullptr;
    const auto report = readDriveHealthUnlessQuit(options);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->drives.front().id, "nvme0n1");
}

// As a user without rights to the disks, on this machine: every internal drive is refused
// to smartctl and to the NVMe command, nobody can grant the rights here (no session, no
// agent: pkexec ends with 127), and each drive says so instead of blaming a USB adapter or
// claiming the rights were refused.
TEST(SmartMode, ForAUserWithoutRightsEachDriveSaysItNeedsThem) {
    if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    if (::access("/usr/sbin/smartctl", X_OK) != 0) GTEST_SKIP() << "smartctl is not installed (scripts/setup)";
    const auto run = runBoundedProcess({"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--",
                                        ZANTIVA_PROGRAM, "--smart"},
                                       std::chrono::minutes(3));
    ASSERT_TRUE(run) << "setpriv can't be run";
    if (run->exitStatus != 0 && run->output.empty()) GTEST_SKIP() << "user 65534 can't run the program from here";
    ASSERT_EQ(run->exitStatus, 0) << run->output;
    const std::regex status("\n([a-z0-9]+)\\.status: (.*)\n");
    int drives = 0;
    for (std::sregex_iterator it(run->output.begin(), run->output.end(), status), end; it != end; ++it) {
        const std::string drive = (*it)[1].str();
        ++drives;
        EXPECT_EQ((*it)[2].str(), "unknown") << drive;
        EXPECT_THAT(run->output, HasSubstr("\n" + drive + ".unreadReason: nobodyCouldBeAsked\n"));
        EXPECT_THAT(run->output, HasSubstr("\n" + drive + ".note: Reading this drive's health needs administrator"));
    }
    EXPECT_THAT(run->output, Not(HasSubstr("needsAdministratorRights")));
    if (drives == 0) GTEST_SKIP() << "this machine has no internal drive";
}

// As root, where the system itself refuses the drives (here a container's device policy
// turns even root's open away): root asks nobody, and no drive claims rights were missing.
TEST(SmartMode, ForRootADriveTheSystemRefusesCantBeReadHere) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root";
    std::vector<std::string> refused;
    for (const auto& drive : readInternalDrives(ProbeRoot()).items) {
        const std::string node = "/dev/" + drive.info.id;
        const FileDescriptor opened(::open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (!opened.valid() && isRefusedForRights(errno)) refused.push_back(drive.info.id);
    }
    if (refused.empty()) GTEST_SKIP() << "this machine lets root open its drives";
    // The hardware dump reads the drives the same way, asking nobody.
    for (const char* mode : {"--smart", "--dump-hardware"}) {
        const auto run = runBoundedProcess({ZANTIVA_PROGRAM, mode}, std::chrono::minutes(3));
        ASSERT_TRUE(run) << mode;
        ASSERT_EQ(run->exitStatus, 0) << mode << run->output;
        EXPECT_THAT(run->output, Not(HasSubstr("needsAdministratorRights"))) << mode;
        EXPECT_THAT(run->output, Not(HasSubstr("nobodyCouldBeAsked"))) << mode;
        for (const auto& drive : refused) {
            EXPECT_THAT(run->output, HasSubstr("\n" + drive + ".unreadReason: refusedHere\n")) << mode;
            EXPECT_THAT(run->output, HasSubstr("\n" + drive + ".note: This system doesn't allow reading this drive's health")) << mode;
        }
    }
}

} // namespace
} // namespace zantiva
