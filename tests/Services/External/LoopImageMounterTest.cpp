// A real read-only loop mount of an ext4 image that the test builds with mkfs.ext4 -d.
// Skipped only where mounting is impossible here (not root, no loop device, no mkfs.ext4,
// or a kernel that refuses the mount).

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "External/ExternalBenchmarkLocator.h"
#include "External/LoopImageMounter.h"
#include "External/MountTable.h"
#include "External/ProcessLauncher.h"
#include "Platform/BoundedProcess.h"
#include "../../Support/AwaitTask.h"
#include "../../Support/DiskImages.h"
#include "../../Support/OtherUser.h"
#include "../../Support/EnvironmentChange.h"
#include "../../Support/TemporaryFolder.h"
#include "../../Support/ThrownBy.h"
#include "StandInTool.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool isMounted(const fs::path& path) { return isMountPoint(path, readMountTable("/").value()); }

class LoopImageMounterTest : public ::testing::Test {
protected:
    void SetUp() override {
        image = buildImage("Geekbench-6.3.0-Linux.img");
        if (const auto refused = testing::loopMountRefused(image, scratch.path())) GTEST_SKIP() << *refused;
    }

    // An image holding a Geekbench folder with its launcher.
    fs::path buildImage(const std::string& name) {
        const fs::path launcher = scratch / (name + ".launcher");
        std::ofstream(launcher) << "#!/bin/sh\necho hello\n";
        fs::permissions(launcher, fs::perms(0755));
        return testing::buildGeekbenchImage(launcher, scratch / name);
    }

    LoopImageMounter mounter(const fs::path& folder) {
        return LoopImageMounter(folder, LoopImageMounter::Method::mountAsRoot,
                                std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD));
    }

    testing::TemporaryFolder scratch;
    testing::TemporaryFolder privateFolder;
    fs::path image;
};

TEST_F(LoopImageMounterTest, AttachesReadOnlyReportsARepeatAndDetaches) {
    LoopImageMounter images = mounter(privateFolder.path());
    const AttachedImage attached = testing::awaitTask(images.attach(image, {}));
    EXPECT_FALSE(attached.wasAlreadyMounted);
    EXPECT_EQ(attached.mountPoint.parent_path(), privateFolder.path());
    ASSERT_TRUE(isMounted(attached.mountPoint));

    const auto installation =
        ExternalBenchmarkLocator::resolveOnMountedImage(attached.mountPoint, image, ExternalBenchmarkApp::geekbench);
    EXPECT_EQ(installation.executablePath, "Geekbench-6.3.0-Linux/geekbench6");
    EXPECT_TRUE(installation.isAvailable());
    const fs::path program = attached.mountPoint / installation.executablePath;
    EXPECT_EQ(::access(program.c_str(), X_OK), 0);
    const int written = ::open((attached.mountPoint / "new-file").c_str(), O_CREAT | O_WRONLY, 0644);
    EXPECT_EQ(written, -1);
    EXPECT_EQ(errno, EROFS);

    // The same image again is found where it is, not mounted twice.
    const AttachedImage again = testing::awaitTask(images.attach(image, {}));
    EXPECT_TRUE(again.wasAlreadyMounted);
    EXPECT_EQ(again.mountPoint, attached.mountPoint);

    images.detach(attached.mountPoint);
    EXPECT_FALSE(isMounted(attached.mountPoint));
    EXPECT_FALSE(fs::exists(attached.mountPoint));
}

TEST_F(LoopImageMounterTest, AnImageThatIsNotAFileSystemFailsWithTheToolsReason) {
    const fs::path junk = scratch / "junk.iso";
    std::ofstream(junk) << std::string(64 * 1024, 'x');
    LoopImageMounter images = mounter(privateFolder.path());
    EXPECT_FALSE(testing::thrownBy<DiskImageError>([&] { testing::awaitTask(images.attach(junk, {})); }).reason.empty());
    EXPECT_TRUE(fs::is_empty(privateFolder.path())); // no mount folder left behind
    EXPECT_THROW(testing::awaitTask(images.attach(scratch / "missing.iso", {})), DiskImageError);
}

TEST_F(LoopImageMounterTest, LeftoversOfAnEarlierRunAreDetachedAtTheNextStart) {
    fs::path leftover;
    {
        LoopImageMounter earlier = mounter(privateFolder.path());
        leftover = testing::awaitTask(earlier.attach(image, {})).mountPoint;
    } // ended without detaching, as a crash would
    ASSERT_TRUE(isMounted(leftover));

    const fs::path second = buildImage("second.img");
    LoopImageMounter next = mounter(privateFolder.path());
    const AttachedImage attached = testing::awaitTask(next.attach(second, {}));
    EXPECT_FALSE(isMounted(leftover));
    EXPECT_TRUE(isMounted(attached.mountPoint));
    next.detach(attached.mountPoint);
}

TEST_F(LoopImageMounterTest, AFolderReachedThroughALinkIsStillDetached) {
    // The mount table names the real path; a runtime or temporary folder may be a link.
    fs::create_directory_symlink(privateFolder.path(), scratch / "link");
    LoopImageMounter images = mounter(scratch / "link" / "images");
    const AttachedImage attached = testing::awaitTask(images.attach(image, {}));
    ASSERT_TRUE(isMounted(privateFolder / "images" / image.stem()));
    images.detach(attached.mountPoint);
    EXPECT_FALSE(isMounted(privateFolder / "images" / image.stem()));
    EXPECT_FALSE(fs::exists(privateFolder / "images" / image.stem()));
}

// What udisks' daemon would do to the named device, done with the real tools.
const std::string udisksWithRealTools = "case \"$1 $2\" in\n"
                                        "'loop-delete -b') exec losetup -d \"$3\" ;;\n"
                                        "'unmount -b') exec umount \"$3\" ;;\n"
                                        "'unmount -f') exec umount -l \"$4\" ;;\n"
                                        "esac\nexit 1\n";

// A loop device the user set up by hand ("losetup -f --show -r"), deleted at the end of the
// test; its name ("loop3"), empty when none could be had.
class UsersLoopDevice {
public:
    explicit UsersLoopDevice(const fs::path& image) {
        const auto made = runBoundedProcess({"losetup", "-f", "--show", "-r", image.string()}, 20s);
        if (made && made->succeeded()) device_ = made->output.substr(0, made->output.find('\n'));
    }
    ~UsersLoopDevice() {
        if (!device_.empty()) runBoundedProcess({"losetup", "-d", device_}, 20s);
    }
    std::string name() const { return device_.empty() ? std::string() : fs::path(device_).filename().string(); }
    const std::string& device() const { return device_; }
    bool backs(const fs::path& image) const {
        std::ifstream in(fs::path("/sys/block") / name() / "loop" / "backing_file");
        std::string line;
        return std::getline(in, line) && line == fs::canonical(image).string();
    }

private:
    std::string device_;
};

// A record of an earlier run names a loop device: the user's own mount of the same image, on
// another device or on the recorded one taken again, is never touched; only the recorded
// device, still backed by the image and mounted nowhere, is deleted.
TEST_F(LoopImageMounterTest, LeftoverRecordsTouchOnlyTheirOwnUnmountedDevice) {
    const testing::FakeUdisksctl udisks(udisksWithRealTools);
    const UsersLoopDevice users(image);
    if (users.name().empty()) GTEST_SKIP() << "losetup could not set up a loop device";
    const fs::path own = scratch / "own";
    fs::create_directory(own);
    const auto mounted = runBoundedProcess({"mount", "-o", "ro", users.device(), own.string()}, 20s);
    ASSERT_TRUE(mounted && mounted->succeeded());
    const auto recordIn = [&](const fs::path& folder, const std::string& loop) {
        fs::create_directories(folder);
        std::ofstream(folder / ("udisks-" + loop)) << fs::canonical(image).string();
    };

    recordIn(privateFolder / "gone", "loop4242"); // freed since; the user's device backs the image now
    recordIn(privateFolder / "taken", users.name()); // the recorded device, now the user's mount
    for (const char* folder : {"gone", "taken"}) {
        mounter(privateFolder / folder).detachLeftovers();
        EXPECT_TRUE(isMounted(own)) << folder;
        EXPECT_TRUE(fs::is_empty(privateFolder / folder)) << "the record is dropped";
    }
    EXPECT_TRUE(users.backs(image));
    runBoundedProcess({"umount", own.string()}, 20s);

    const UsersLoopDevice leftover(image);
    if (leftover.name().empty()) GTEST_SKIP() << "losetup could not set up a second loop device";
    recordIn(privateFolder / "ours", leftover.name());
    mounter(privateFolder / "ours").detachLeftovers();
    EXPECT_FALSE(leftover.backs(image)) << "an unmounted leftover of ours is deleted";
    EXPECT_TRUE(users.backs(image)) << "only the recorded device";
}

// Runs the real tools, but first moves the folder that "mount" is asked to use aside and
// puts a link to another folder in its place, as a swap between making and mounting would.
class SwappingLauncher final : public ExternalProcessRunning {
public:
    explicit SwappingLauncher(std::function<void()> swap) : swap_(std::move(swap)) {}
    QCoro::Task<ProcessExit> run(ProcessRequest request, LineHandler onLine, std::stop_token stop) override {
        if (request.program == "mount") swap_();
        co_return co_await real_.run(std::move(request), std::move(onLine), stop);
    }

private:
    std::function<void()> swap_;
    ProcessLauncher real_{ZANTIVA_TOOL_GUARD};
};

TEST_F(LoopImageMounterTest, TheMountLandsOnTheCheckedFolderEvenWhenItsPathIsSwapped) {
    const fs::path victim = scratch / "victim";
    fs::create_directory(victim);
    std::ofstream(victim / "passwd") << "root:x:0:0\n";
    const fs::path folder = privateFolder / "images";
    const fs::path made = folder / image.stem();
    auto launcher = std::make_shared<SwappingLauncher>([&] {
        fs::rename(made, folder / "moved");
        fs::create_directory_symlink(victim, made);
    });
    LoopImageMounter images(folder, LoopImageMounter::Method::mountAsRoot, launcher);
    testing::awaitTask(images.attach(image, {}));
    EXPECT_FALSE(isMounted(victim));
    EXPECT_TRUE(fs::exists(victim / "passwd"));
    EXPECT_TRUE(isMounted(folder / "moved"));
    runBoundedProcess({"umount", (folder / "moved").string()}, 20s);
}

// The sweep at start-up, on real folders; no mounting needed.
class LeftoverSweep : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(victim);
        fs::permissions(victim, fs::perms(0755));
        std::ofstream(victim / "passwd") << "root:x:0:0\n";
    }
    void expectVictimUntouched() {
        EXPECT_TRUE(fs::exists(victim / "passwd"));
        EXPECT_EQ(fs::status(victim).permissions(), fs::perms(0755)) << "never changed through a link";
        EXPECT_EQ(std::distance(fs::directory_iterator(victim), {}), 1);
    }
    LoopImageMounter mounter(const fs::path& folder) {
        return LoopImageMounter(folder, LoopImageMounter::Method::mountAsRoot, std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD));
    }

    testing::TemporaryFolder scratch;
    fs::path victim = scratch / "victim";
};

TEST_F(LeftoverSweep, RemovesOnlyEmptyFoldersAndItsOwnRecordsNeverAFileOrALink) {
    const fs::path folder = scratch / "images";
    fs::create_directories(folder / "Geekbench-6.3.0");
    fs::create_directories(folder / "full" / "inside");
    std::ofstream(folder / "notes.txt") << "kept";
    std::ofstream(folder / "udisks-loop99") << (scratch / "gone.iso").string();
    fs::create_directory_symlink(victim, folder / "link");
    fs::create_symlink(victim / "passwd", folder / "udisks-loop98");

    mounter(folder).detachLeftovers();
    EXPECT_FALSE(fs::exists(folder / "Geekbench-6.3.0"));
    EXPECT_FALSE(fs::exists(folder / "udisks-loop99"));
    for (const char* kept : {"full/inside", "notes.txt", "link", "udisks-loop98"})
        EXPECT_TRUE(fs::exists(fs::symlink_status(folder / kept))) << kept;
    expectVictimUntouched();
}

TEST_F(LeftoverSweep, AnotherUsersLinkInPlaceOfTheFolderIsRefusedAndNothingIsDeletedOrChanged) {
    const fs::path shared = testing::sharedTemporaryIn(scratch.path());
    if (const auto why = testing::asOtherUser({"ln", "-s", victim.string(), (shared / "images").string()}))
        GTEST_SKIP() << *why;
    LoopImageMounter images = mounter(shared / "images");
    images.detachLeftovers();
    std::ofstream(scratch / "some.img") << std::string(4096, '\0');
    EXPECT_THROW(testing::awaitTask(images.attach(scratch / "some.img", {})), DiskImageError);
    expectVictimUntouched();
}

TEST_F(LoopImageMounterTest, WithoutAnAnsweringUdisksDaemonRootMountsTheImageItself) {
    const testing::FakeUdisksctl udisks(1);
    LoopImageMounter images(privateFolder.path(), std::nullopt, std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD));
    const AttachedImage attached = testing::awaitTask(images.attach(image, {}));
    EXPECT_EQ(attached.mountPoint.parent_path(), privateFolder.path());
    EXPECT_TRUE(isMounted(attached.mountPoint));
    images.detach(attached.mountPoint);
    EXPECT_FALSE(isMounted(attached.mountPoint));
}

TEST(LoopImageMountMethod, UdisksWhereItsDaemonAnswersElseTheLoopMountWhereThatIsAllowed) {
    using Method = LoopImageMounter::Method;
    const std::vector<std::pair<LoopImageMounter::Abilities, Method>> cases{
        {{.udisksInstalled = true, .udisksAnswers = true, .mayMount = true}, Method::udisks},
        {{.udisksInstalled = true, .udisksAnswers = true}, Method::udisks},
        // A container or a minimal system: udisksctl without a daemon to reach.
        {{.udisksInstalled = true, .mayMount = true}, Method::mountAsRoot},
        {{.udisksInstalled = true}, Method::udisks}, // its error says why
        {{.mayMount = true}, Method::mountAsRoot},
        {{}, Method::unavailable},
    };
    for (const auto& [abilities, method] : cases)
        EXPECT_EQ(LoopImageMounter::chooseMethod(abilities), method)
            << abilities.udisksInstalled << abilities.udisksAnswers << abilities.mayMount;
}

TEST(LoopImageMountMethod, TheDaemonIsAskedThroughUdisksctlStatus) {
    {
        const testing::FakeUdisksctl unreachable(1);
        const auto abilities = LoopImageMounter::machineAbilities();
        EXPECT_TRUE(abilities.udisksInstalled);
        EXPECT_FALSE(abilities.udisksAnswers);
    }
    {
        const testing::FakeUdisksctl answering(0);
        EXPECT_TRUE(LoopImageMounter::machineAbilities().udisksAnswers);
    }
    testing::TemporaryFolder empty;
    const testing::EnvironmentChange nothing("PATH", empty.path().string());
    EXPECT_FALSE(LoopImageMounter::machineAbilities().udisksInstalled);
}

TEST(MountTableTest, ReadsMountPointsWithEscapedBlanksAndLoopBackingFiles) {
    testing::TemporaryFolder root;
    fs::create_directories(root / "proc/self");
    std::ofstream(root / "proc/self/mountinfo")
        << "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
        << "90 22 7:3 / /run/user/1000/zantiva\\040images/Geekbench ro,nosuid - iso9660 /dev/loop3 ro\n";
    fs::create_directories(root / "sys/block/loop3/loop");
    fs::create_directories(root / "sys/block/loop3/loop3p1");
    std::ofstream(root / "sys/block/loop3/loop/backing_file") << "/home/ana/Geekbench.iso\n";
    std::ofstream(root / "sys/block/loop3/dev") << "7:3\n";
    std::ofstream(root / "sys/block/loop3/loop3p1/dev") << "259:0\n";

    const auto table = readMountTable(root.path()).value();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[1].source, "/dev/loop3");
    const auto devices = allLoopDevicesBackedBy(root.path(), "/home/ana/Geekbench.iso");
    EXPECT_EQ(devices, (std::vector<std::string>{"7:3", "259:0"}));
    EXPECT_EQ(mountPointOf(devices, table), fs::path("/run/user/1000/zantiva images/Geekbench"));
    EXPECT_TRUE(allLoopDevicesBackedBy(root.path(), "/home/ana/Other.iso").empty());
}

} // namespace
} // namespace zantiva
