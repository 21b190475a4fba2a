// The image mounter where its sources fail it: a mount table too long for a stored file or
// not readable at all, a record of a loop device that can't be written, and a mount tool that
// never returns. Stand-in tools on the search path log what they are asked; the mount table
// and the loop devices are fixture trees.

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "External/LoopImageMounter.h"
#include "External/ProcessLauncher.h"
#include "Platform/AtomicFile.h"
#include "Platform/CancelToken.h"
#include "../../Support/AwaitTask.h"
#include "../../Support/ProcessState.h"
#include "../../Support/TemporaryFolder.h"
#include "../../Support/ThrownBy.h"
#include "StandInTool.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Method = LoopImageMounter::Method;

// A machine whose loop3 is backed by the image and mounted by the user at /home/ana/mnt, and a
// record of an earlier run that names loop3; udisksctl writes each command to a log.
class LoopDeviceOfTheUser : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(image) << "image";
        fs::create_directories(root / "sys/block/loop3/loop");
        std::ofstream(root / "sys/block/loop3/loop/backing_file") << image.string() << '\n';
        std::ofstream(root / "sys/block/loop3/dev") << "7:3\n";
        fs::create_directories(root / "proc/self");
        fs::create_directories(images);
        std::ofstream(images / "udisks-loop3") << image.string();
    }

    LoopImageMounter mounter() {
        return LoopImageMounter(images, Method::udisks, std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD),
                                root.path());
    }
    std::string asked() const {
        std::ostringstream text;
        text << std::ifstream(log).rdbuf();
        return text.str();
    }

    testing::TemporaryFolder root, scratch;
    const fs::path image = scratch / "Geekbench.iso";
    const fs::path images = scratch / "images";
    const fs::path log = scratch / "asked";
    const fs::path mountinfo = root / "proc/self/mountinfo";
    const testing::FakeUdisksctl udisks{"echo \"$*\" >> '" + log.string() + "'\n"};
};

TEST_F(LoopDeviceOfTheUser, IsFoundMountedInATableOfAHundredAndThirtyThousandMounts) {
    {
        std::ofstream table(mountinfo);
        for (int n = 0; n < 130'000; ++n)
            table << 1000 + n << " 22 0:" << n << " / /var/lib/containers/storage/overlay/" << n
                  << "/merged rw,relatime - overlay overlay rw,lowerdir=/l/" << n << ",upperdir=/u/" << n << "\n";
        table << "990000 22 7:3 / /home/ana/mnt ro,relatime - iso9660 /dev/loop3 ro\n";
    }
    ASSERT_GT(fs::file_size(mountinfo), storedFileLimit);
    LoopImageMounter sweep = mounter();
    sweep.detachLeftovers();
    EXPECT_EQ(asked().find("loop-delete"), std::string::npos) << asked();
    EXPECT_TRUE(sweep.isMounted("/home/ana/mnt"));
    EXPECT_FALSE(sweep.isMounted("/home/ana"));
}

TEST_F(LoopDeviceOfTheUser, AMountTableThatCantBeReadTouchesNothingAndOpensNothing) {
    fs::create_directory(mountinfo); // read() fails as it would past the descriptor limit
    LoopImageMounter sweep = mounter();
    sweep.detachLeftovers();
    EXPECT_EQ(asked(), "");
    EXPECT_TRUE(fs::exists(images / "udisks-loop3")) << "kept for a later run";
    EXPECT_TRUE(sweep.isMounted("/home/ana/mnt")) << "unknown is not unmounted";
    const auto error = testing::thrownBy<DiskImageError>([&] { testing::awaitTask(sweep.attach(image, {})); });
    EXPECT_EQ(error.message, LocalizedMessage("External.MountsUnknown"));
    EXPECT_EQ(asked(), "");
}

TEST(LoopDeviceRecord, ALoopDeviceThatCantBeRecordedIsDeletedAndNotMounted) {
    testing::TemporaryFolder scratch;
    const fs::path log = scratch / "asked";
    const testing::FakeUdisksctl udisks("echo \"$*\" >> '" + log.string() + "'\n"
                                        "[ \"$1\" = loop-setup ] && echo \"Mapped file $4 as /dev/loop7.\"\n"
                                        "[ \"$1\" = mount ] && echo \"Mounted $3 at /media/ana/GB.\"\n"
                                        "exit 0\n");
    std::ofstream(scratch / "Geekbench.iso") << "image";
    // A folder that is not empty in the record's place: the record can't be written.
    fs::create_directories(scratch / "images" / "udisks-loop7" / "inside");
    LoopImageMounter images(scratch / "images", Method::udisks, std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD));
    EXPECT_THROW(testing::awaitTask(images.attach(scratch / "Geekbench.iso", {})), DiskImageError);
    std::ostringstream asked;
    asked << std::ifstream(log).rdbuf();
    EXPECT_NE(asked.str().find("loop-delete -b /dev/loop7"), std::string::npos) << asked.str();
    EXPECT_EQ(asked.str().find("mount -b"), std::string::npos) << asked.str();
}

// udisksctl's error line quotes the image's path, which may spell a device ("…/as /dev/loop3.iso"):
// the user's loop3, mounted, is left alone, whichever stream the line is on.
TEST(LoopSetupFailure, ADeviceThatTheErrorLineSpellsIsLeftAlone) {
    for (const std::string stream : {" >&2", ""}) {
        testing::TemporaryFolder root, scratch;
        const fs::path image = scratch / "as " / "dev" / "loop3.iso", log = scratch / "asked";
        fs::create_directories(image.parent_path());
        fs::create_directories(root / "proc/self");
        std::ofstream(image) << "image";
        std::ofstream(root / "proc/self/mountinfo") << "40 22 7:3 / /media/ana/Other ro - iso9660 /dev/loop3 ro\n";
        const testing::FakeUdisksctl udisks("echo \"$*\" >> '" + log.string() +
                                            "'\n[ \"$1\" = loop-setup ] || exit 0\n"
                                            "echo \"Error setting up loop device for $4: no such device\"" + stream +
                                            "\nexit 1\n");
        LoopImageMounter images(scratch / "images", Method::udisks, std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD),
                                root.path());
        EXPECT_THROW(testing::awaitTask(images.attach(image, {})), DiskImageError);
        EXPECT_EQ(readWholeFile(log).value_or("").find("loop-delete"), std::string::npos) << stream;
    }
}

// A machine with an empty mount table, on which udisksctl (the given script) runs past the
// attach's bound of 300 ms; it logs what it is asked.
class UdisksPastItsBound : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(image) << "image";
        fs::create_directories(root / "proc/self");
        std::ofstream(mountinfo) << "";
    }
    // The loop device as udisks makes it, in shell: backed by the image ($4 of loop-setup).
    std::string makesLoop(const std::string& name) const {
        const fs::path block = root / "sys/block" / name;
        return "mkdir -p '" + (block / "loop").string() + "'\necho \"$4\" > '" + (block / "loop/backing_file").string() +
               "'\necho 7:" + name.substr(4) + " > '" + (block / "dev").string() + "'\n";
    }
    // What udisksctl was asked by an attach that didn't open the image in time.
    std::string askedByAnAttachPastItsBound(const std::string& script) {
        const testing::FakeUdisksctl udisks("echo \"$*\" >> '" + log.string() + "'\n" + script);
        LoopImageMounter images(scratch / "images", Method::udisks,
                                std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD), root.path(), 300ms);
        const auto error = testing::thrownBy<DiskImageError>([&] { testing::awaitTask(images.attach(image, {})); });
        EXPECT_EQ(error.message, LocalizedMessage("External.ImageTimedOut"));
        std::ostringstream asked;
        asked << std::ifstream(log).rdbuf();
        return asked.str();
    }

    testing::TemporaryFolder root, scratch;
    const fs::path image = scratch / "Geekbench.iso", log = scratch / "asked";
    const fs::path mountinfo = root / "proc/self/mountinfo";
};

// udisks makes the device even when its client doesn't live to name it: a loop-setup that
// outlasts its bound has left loop9 behind, which is deleted; the user's own loop3 of the same
// image, there before, is left alone.
TEST_F(UdisksPastItsBound, ADeviceMadeForALoopSetupIsDeletedAndTheUsersOwnKept) {
    fs::create_directories(root / "sys/block/loop3/loop");
    std::ofstream(root / "sys/block/loop3/loop/backing_file") << image.string() << '\n';
    std::ofstream(root / "sys/block/loop3/dev") << "7:3\n";
    const std::string asked = askedByAnAttachPastItsBound("[ \"$1\" = loop-setup ] || exit 0\n" + makesLoop("loop9") +
                                                          "exec sleep 1000\n");
    EXPECT_NE(asked.find("loop-delete -b /dev/loop9"), std::string::npos) << asked;
    EXPECT_EQ(asked.find("/dev/loop3"), std::string::npos) << asked;
}

// While the loop-setup runs, the user's file manager sets up loop5 for the same image. Once it
// is mounted, loop5 is the user's whether or not the loop-setup named its own device; unmounted,
// it is still left alone when the loop-setup named loop9 as its own.
TEST_F(UdisksPastItsBound, OnlyTheDeviceOfTheLoopSetupIsDeletedNeverOneTheUserSetUpMeanwhile) {
    const std::string usersMount = "echo '41 22 7:5 / /media/ana/GB ro - iso9660 /dev/loop5 ro' >> '" +
                                   mountinfo.string() + "'\n";
    const std::string named = "echo \"Mapped file $4 as /dev/loop9.\"\n";
    const std::string cases[] = {makesLoop("loop5") + usersMount, named + makesLoop("loop5"),
                                 named + makesLoop("loop5") + usersMount};
    for (const std::string& meanwhile : cases) {
        std::filesystem::remove_all(root / "sys");
        std::ofstream(mountinfo) << "";
        std::filesystem::remove(log);
        const std::string asked = askedByAnAttachPastItsBound("[ \"$1\" = loop-setup ] || exit 0\n" + makesLoop("loop9") +
                                                              meanwhile + "exec sleep 1000\n");
        EXPECT_NE(asked.find("loop-delete -b /dev/loop9"), std::string::npos) << meanwhile << asked;
        EXPECT_EQ(asked.find("/dev/loop5"), std::string::npos) << meanwhile << asked;
    }
}

// udisks mounts whether or not its client lives to say where: a mount that outlasts its bound
// has mounted loop7 all the same, and is undone (unmounted, then the device deleted) rather than
// left for the next attach to take as the user's.
TEST_F(UdisksPastItsBound, AMountIsUndoneWithItsDevice) {
    const std::string asked = askedByAnAttachPastItsBound(
        "if [ \"$1\" = loop-setup ]; then\n" + makesLoop("loop7") +
        "  echo \"Mapped file $4 as /dev/loop7.\"\n"
        "elif [ \"$1\" = mount ]; then\n"
        "  echo '40 22 7:7 / /media/ana/GB ro - iso9660 /dev/loop7 ro' >> '" + mountinfo.string() + "'\n"
        "  exec sleep 1000\n"
        "fi\n");
    const auto unmount = asked.find("unmount -b /dev/loop7");
    EXPECT_NE(unmount, std::string::npos) << asked;
    EXPECT_GT(asked.find("loop-delete -b /dev/loop7"), unmount) << asked;
    EXPECT_FALSE(fs::exists(scratch / "images" / "udisks-loop7"));
}

// A mount that never returns, as on a hung disk: it writes its pid, then waits.
class MountThatHangs : public ::testing::Test {
protected:
    LoopImageMounter mounter(std::chrono::milliseconds bound) {
        std::ofstream(scratch / "Geekbench.iso") << "image";
        return LoopImageMounter(scratch / "images", Method::mountAsRoot,
                                std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD), "/", bound);
    }
    pid_t standInPid() {
        pid_t pid = 0;
        if (testing::runUntil([&] { return fs::exists(pidFile) && fs::file_size(pidFile) > 0; }))
            std::ifstream(pidFile) >> pid;
        return pid;
    }
    void expectNothingLeft(pid_t mount) {
        EXPECT_TRUE(testing::runUntil([&] { return testing::isGone(mount); })) << "the mount was not killed";
        EXPECT_TRUE(fs::is_empty(scratch / "images")) << "its folder is removed";
    }

    testing::TemporaryFolder scratch;
    const fs::path pidFile = scratch / "mount.pid";
    const testing::StandInTool mount{"mount", "echo $$ > '" + pidFile.string() + "'\nexec sleep 1000\n"};
};

TEST_F(MountThatHangs, TheRunsStopKillsItAndEndsTheAttach) {
    LoopImageMounter images = mounter(LoopImageMounter::defaultToolTimeout);
    std::stop_source stop;
    testing::Awaited<AttachedImage> attached;
    auto attaching = testing::capture(images.attach(scratch / "Geekbench.iso", stop.get_token()), attached);
    const pid_t mount = standInPid();
    ASSERT_GT(mount, 0);
    stop.request_stop();
    ASSERT_TRUE(testing::runUntil([&] { return attached.done; }));
    EXPECT_THROW(std::rethrow_exception(attached.error), CancellationError);
    expectNothingLeft(mount);
}

TEST_F(MountThatHangs, PastItsBoundItIsKilledAndTheImageDidntOpenInTime) {
    LoopImageMounter images = mounter(300ms);
    const auto error = testing::thrownBy<DiskImageError>(
        [&] { testing::awaitTask(images.attach(scratch / "Geekbench.iso", {})); });
    EXPECT_EQ(error.message, LocalizedMessage("External.ImageTimedOut"));
    expectNothingLeft(standInPid());
}

// The same for a mount of our own: one that had mounted the image when its bound came is
// unmounted, so the next attach mounts afresh instead of taking it for the user's.
TEST(MountOfOurOwn, MadeAllTheSameWhenItsBoundCameItIsUnmounted) {
    testing::TemporaryFolder root, scratch;
    const fs::path log = scratch / "asked", point = fs::canonical(scratch.path()) / "images" / "Geekbench";
    std::ofstream(scratch / "Geekbench.iso") << "image";
    fs::create_directories(root / "proc/self");
    std::ofstream(root / "proc/self/mountinfo") << "";
    const testing::StandInTool mount("mount", "echo '40 22 7:8 / " + point.string() + " ro - iso9660 /dev/loop8 ro' >> '" +
                                                  (root / "proc/self/mountinfo").string() + "'\nexec sleep 1000\n");
    const testing::StandInTool umount("umount", "echo \"umount $*\" >> '" + log.string() + "'\n");
    LoopImageMounter images(scratch / "images", Method::mountAsRoot, std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD),
                            root.path(), 300ms);
    const auto error = testing::thrownBy<DiskImageError>(
        [&] { testing::awaitTask(images.attach(scratch / "Geekbench.iso", {})); });
    EXPECT_EQ(error.message, LocalizedMessage("External.ImageTimedOut"));
    std::ostringstream asked;
    asked << std::ifstream(log).rdbuf();
    EXPECT_NE(asked.str().find("umount " + point.string()), std::string::npos) << asked.str();
}

} // namespace
} // namespace zantiva
