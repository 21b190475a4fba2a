// Private folders on real files: what is made, closed, refused and never followed. What
// another user can do with the runtime and per-user folders is tried where they are used.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <sys/stat.h>
#include <unistd.h>

#include "../../Support/EnvironmentChange.h"
#include "../../Support/ExfatDisk.h"
#include "../../Support/OtherUser.h"
#include "../../Support/TemporaryFolder.h"
#include "../../Support/WorkingFolder.h"
#include "Platform/PrivateFolder.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using testing::EnvironmentChange;
using Folder = PrivateFolder;
using Missing = PrivateFolder::IfMissing;
using OpenToOthers = PrivateFolder::IfOpenToOthers;

struct stat lstatOf(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}
mode_t modeOf(const fs::path& path) { return lstatOf(path).st_mode & 07777; }

class PrivateFolderTest : public ::testing::Test {
protected:
    testing::TemporaryFolder scratch;
    fs::path victim = scratch / "victim";

    void SetUp() override {
        fs::create_directory(victim);
        ::chmod(victim.c_str(), 0755);
        testing::writeRaw(victim / "passwd", "root:x:0:0\n");
    }
    void expectVictimUntouched() {
        EXPECT_TRUE(fs::exists(victim / "passwd"));
        EXPECT_EQ(modeOf(victim), 0755u) << "never changed through a link";
        EXPECT_EQ(std::distance(fs::directory_iterator(victim), {}), 1);
    }
};

TEST_F(PrivateFolderTest, MakesAMissingFolderPrivateAndClosesOrRefusesAnOpenOne) {
    const auto made = Folder::open(scratch / "a" / "b", Missing::make, OpenToOthers::refuse);
    ASSERT_TRUE(made);
    EXPECT_EQ(modeOf(scratch / "a" / "b"), 0700u);
    EXPECT_EQ(made->realPath(), scratch / "a" / "b");

    ::chmod((scratch / "a" / "b").c_str(), 0755);
    EXPECT_FALSE(Folder::open(scratch / "a" / "b", Missing::make, OpenToOthers::refuse));
    EXPECT_EQ(modeOf(scratch / "a" / "b"), 0755u) << "a refused folder is left as it is";
    EXPECT_TRUE(Folder::open(scratch / "a" / "b", Missing::make, OpenToOthers::close));
    EXPECT_EQ(modeOf(scratch / "a" / "b"), 0700u);

    EXPECT_FALSE(Folder::open(scratch / "missing", Missing::refuse, OpenToOthers::close));
    EXPECT_FALSE(fs::exists(scratch / "missing"));
    EXPECT_FALSE(Folder::open("relative/folder", Missing::make, OpenToOthers::close));
}

TEST_F(PrivateFolderTest, RefusesALinkAFileAndAnotherUsersFolderWithoutTouchingThem) {
    fs::create_directory_symlink(victim, scratch / "link");
    testing::writeRaw(scratch / "file", "x");
    for (const char* name : {"link", "file"})
        EXPECT_FALSE(Folder::open(scratch / name, Missing::make, OpenToOthers::close)) << name;
    EXPECT_TRUE(fs::is_symlink(scratch / "link"));
    expectVictimUntouched();

    const fs::path shared = testing::sharedTemporaryIn(scratch.path());
    if (const auto why = testing::asOtherUser({"mkdir", "-m", "0700", (shared / "theirs").string()})) GTEST_SKIP() << *why;
    EXPECT_FALSE(Folder::open(shared / "theirs", Missing::make, OpenToOthers::close));
    EXPECT_EQ(modeOf(shared / "theirs"), 0700u);
    EXPECT_EQ(lstatOf(shared / "theirs").st_uid, testing::otherUser);
}

TEST_F(PrivateFolderTest, TheRuntimeFolderServesOnlyAsARealFolderThatIsThere) {
    fs::create_directory(scratch / "run");
    ::chmod((scratch / "run").c_str(), 0700);
    fs::create_directory_symlink(scratch / "run", scratch / "run-link");

    struct Case {
        std::optional<std::string> runtime;
        std::optional<fs::path> expected;
    };
    const Case cases[] = {
        {(scratch / "run").string(), scratch / "run"},
        {(scratch / "run-link").string(), std::nullopt},
        {"relative/run", std::nullopt},
        {std::nullopt, std::nullopt},
        {(scratch / "missing").string(), std::nullopt},
    };
    for (const Case& c : cases) {
        const EnvironmentChange runtime("XDG_RUNTIME_DIR", c.runtime);
        const auto folder = Folder::sessionRuntime();
        EXPECT_EQ(folder ? std::optional(folder->path()) : std::nullopt, c.expected) << c.runtime.value_or("(unset)");
    }
    EXPECT_FALSE(fs::exists(scratch / "missing"));
}

// The fixed name serves every run; a fresh folder, made when another user took that name,
// is for one run only and goes when it ends, but only while empty and still the same folder.
TEST_F(PrivateFolderTest, APerUserTemporaryFolderMadeForOneRunIsRemovedOnlyWhenEmpty) {
    const fs::path shared = testing::sharedTemporaryIn(scratch.path());
    const EnvironmentChange temporary("TMPDIR", shared.string());
    const fs::path perUser = shared / ("zantiva-diagnostics-" + std::to_string(::getuid()));
    {
        const auto fixed = Folder::perUserTemporary();
        ASSERT_TRUE(fixed);
        EXPECT_EQ(fixed->path(), perUser);
        EXPECT_FALSE(fixed->isForThisRun());
    }
    fs::remove(perUser);
    if (const auto why = testing::asOtherUser({"mkdir", "-m", "0777", perUser.string()})) GTEST_SKIP() << *why;

    const auto fresh = Folder::perUserTemporary();
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(fresh->path().string().starts_with(perUser.string() + "-")) << fresh->path();
    EXPECT_TRUE(fresh->isForThisRun());
    testing::writeRaw(fresh->path() / "left", "x");
    EXPECT_FALSE(fresh->removeIfEmpty());
    fs::remove(fresh->path() / "left");
    EXPECT_TRUE(fresh->removeIfEmpty());
    EXPECT_FALSE(fs::exists(fresh->path()));

    const auto swapped = Folder::perUserTemporary();
    ASSERT_TRUE(swapped);
    fs::rename(swapped->path(), scratch / "moved");
    fs::create_directory(swapped->path());
    EXPECT_FALSE(swapped->removeIfEmpty()) << "another folder now under its name";
    EXPECT_TRUE(fs::exists(swapped->path()));
}

TEST_F(PrivateFolderTest, RemovesOnlyEmptyFoldersAndOwnFilesAndClosesOnlyOwnFiles) {
    const auto folder = Folder::open(scratch / "own", Missing::make, OpenToOthers::close);
    ASSERT_TRUE(folder);
    const fs::path own = scratch / "own";
    fs::create_directory(own / "empty");
    fs::create_directories(own / "full" / "x");
    testing::writeRaw(own / "record", "x");
    testing::writeRaw(own / "kept.csv", "x");
    fs::create_directory_symlink(victim, own / "link");
    fs::create_symlink(victim / "passwd", own / "file-link");
    for (const char* name : {"record", "kept.csv"}) ::chmod((own / name).c_str(), 0644);
    ::chmod((victim / "passwd").c_str(), 0644);

    folder->closeFiles({"kept.csv"});
    EXPECT_EQ(modeOf(own / "record"), 0600u);
    EXPECT_EQ(modeOf(own / "kept.csv"), 0644u);
    EXPECT_EQ(modeOf(victim / "passwd"), 0644u) << "a link is never followed";

    for (const char* name : {"full", "record", "link", "file-link"}) EXPECT_FALSE(folder->removeEmptyFolder(name)) << name;
    EXPECT_TRUE(folder->removeEmptyFolder("empty"));
    for (const char* name : {"link", "file-link", "full"}) EXPECT_FALSE(folder->removeOwnFile(name)) << name;
    EXPECT_TRUE(folder->removeOwnFile("record"));

    auto names = folder->names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"file-link", "full", "kept.csv", "link"}));
    expectVictimUntouched();
}

TEST_F(PrivateFolderTest, TheDescriptorStaysOnTheCheckedFolderWhateverItsPathNamesLater) {
    std::error_code ec;
    const auto parent = Folder::open(scratch / "images", Missing::make, OpenToOthers::close);
    ASSERT_TRUE(parent);
    const auto made = parent->makeFolder("Geekbench", ec);
    ASSERT_TRUE(made) << ec.message();
    EXPECT_FALSE(parent->makeFolder("Geekbench", ec));
    EXPECT_EQ(ec, std::errc::file_exists);

    // The folder is moved away and a link to another folder put in its place.
    fs::rename(scratch / "images" / "Geekbench", scratch / "images" / "moved");
    fs::create_directory_symlink(victim, scratch / "images" / "Geekbench");
    testing::writeRaw(scratch / "images" / "moved" / "mark", "");
    EXPECT_TRUE(fs::exists(made->descriptorPath() / "mark"));
    EXPECT_FALSE(fs::exists(made->descriptorPath() / "passwd"));
}

// The folders made on the way (~/.local, ~/.local/share, a missing $XDG_DATA_HOME) are the
// user's alone whatever the umask: open to everyone, others could replace them; without the
// owner's bits, they would keep the program out for good. The lock file stays openable too.
TEST_F(PrivateFolderTest, FoldersAndLocksMadeUnderAnyUmaskAreTheOwnersAlone) {
    for (const mode_t mask : {mode_t(000), mode_t(0477), mode_t(0777)}) {
        const fs::path home = scratch / ("home-" + std::to_string(mask));
        const fs::path data = home / ".local" / "share" / "ZantivaDiagnostics";
        fs::create_directory(home);
        const mode_t previous = ::umask(mask);
        const auto made = Folder::open(data, Missing::make, OpenToOthers::refuse);
        std::error_code ec;
        const auto inner = made ? made->makeFolder("images", ec) : std::nullopt;
        const auto lock = made ? made->lockFile(".settings.json.lock", std::chrono::seconds(1), ec) : std::nullopt;
        ::umask(previous);
        ASSERT_TRUE(made) << "umask " << std::oct << mask;
        EXPECT_TRUE(inner && lock) << ec.message();
        for (const fs::path& folder : {home / ".local", home / ".local" / "share", data, data / "images"})
            EXPECT_EQ(modeOf(folder), 0700u) << folder << " under umask " << std::oct << mask;
        EXPECT_EQ(modeOf(data / ".settings.json.lock"), 0600u) << "umask " << std::oct << mask;
    }
}

// The fresh folder that stands in for a per-user name another user took is the owner's alone
// under any umask too, and is used.
TEST_F(PrivateFolderTest, AFreshPerUserTemporaryFolderIsMadeUnderAnyUmask) {
    const fs::path shared = testing::sharedTemporaryIn(scratch.path());
    const EnvironmentChange temporary("TMPDIR", shared.string());
    const fs::path perUser = shared / ("zantiva-diagnostics-" + std::to_string(::getuid()));
    if (const auto why = testing::asOtherUser({"mkdir", "-m", "0777", perUser.string()})) GTEST_SKIP() << *why;
    for (const mode_t mask : {mode_t(0477), mode_t(0777)}) {
        const mode_t previous = ::umask(mask);
        const auto fresh = Folder::perUserTemporary();
        ::umask(previous);
        ASSERT_TRUE(fresh) << "umask " << std::oct << mask;
        EXPECT_TRUE(fresh->isForThisRun());
        EXPECT_EQ(modeOf(fresh->path()), 0700u) << "umask " << std::oct << mask;
        fresh->removeIfEmpty();
    }
}

// A relative $TMPDIR would name a new folder in every working folder: it is ignored.
TEST_F(PrivateFolderTest, ARelativeTemporaryFolderIsIgnored) {
    fs::create_directory(scratch / "tmp");
    testing::WorkingFolder working(scratch.path());
    ASSERT_TRUE(working.entered());
    const EnvironmentChange temporary("TMPDIR", "tmp");
    const auto folder = Folder::perUserTemporary();
    working.back();
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->path().parent_path(), "/tmp");
    if (folder->isForThisRun()) folder->removeIfEmpty();
    EXPECT_TRUE(fs::is_empty(scratch / "tmp"));
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), {}), 2) << "the victim and tmp alone";
}

// Why a folder is refused is the failing call's own: a folder that can't be made is not
// "missing", and one of the user's own that can't be opened is named so.
TEST_F(PrivateFolderTest, ARefusalSaysWhatTheCallThatFailedSaid) {
    const fs::path home = testing::sharedTemporaryIn(scratch.path()) / "home";
    fs::create_directory(home);
    fs::create_directory(home / "closed");
    for (const fs::path& folder : {home, home / "closed"}) ::chown(folder.c_str(), testing::otherUser, testing::otherUser);
    ::chmod(home.c_str(), 0500);
    ::chmod((home / "closed").c_str(), 0);
    const auto answer = testing::answerAsOtherUser([&] {
        std::string refusal;
        Folder::open(home / ".local" / "share" / "ZantivaDiagnostics", Missing::make, OpenToOthers::close, &refusal);
        return refusal + "\n" + Folder::refusalOf(home / "closed").value_or("none");
    });
    if (!answer) GTEST_SKIP() << "acting as another user needs root";
    EXPECT_EQ(*answer, "couldn't make " + (home / ".local").string() + ": Permission denied\nPermission denied");
}

// Root with another user's HOME (sudo -E): nothing of root's is made in that user's home, nor
// is a folder of root's left there used, so the user is never locked out of ~/.local/share.
TEST_F(PrivateFolderTest, NothingIsMadeOrUsedInAnotherUsersFolder) {
    const fs::path home = scratch / "home";
    fs::create_directory(home);
    if (::chown(home.c_str(), testing::otherUser, testing::otherUser) != 0) GTEST_SKIP() << "chown needs root";
    const fs::path data = home / ".local" / "share" / "ZantivaDiagnostics";

    const std::string why = "in " + home.string() + ", a folder of user 65534: nothing is made or used in another user's folder";
    std::string refusal;
    EXPECT_FALSE(Folder::open(data, Missing::make, OpenToOthers::close, &refusal));
    EXPECT_EQ(refusal, "couldn't make " + (home / ".local").string() + ": " + why);
    EXPECT_EQ(Folder::refusalOf(data), why);
    EXPECT_TRUE(fs::is_empty(home));

    // ~/.local/share is the user's, and a data folder of root's was left in it.
    fs::create_directories(data);
    for (const fs::path& theirs : {home / ".local", home / ".local" / "share"})
        ::chown(theirs.c_str(), testing::otherUser, testing::otherUser);
    EXPECT_FALSE(Folder::open(data, Missing::make, OpenToOthers::close));
    EXPECT_TRUE(fs::is_empty(data));

    // Nor with the user's TMPDIR: no per-user folder there, and no fresh one beside its name.
    const EnvironmentChange temporary("TMPDIR", home.string());
    fs::remove_all(home / ".local");
    EXPECT_FALSE(Folder::perUserTemporary());
    EXPECT_TRUE(fs::is_empty(home));
}

// A file system that takes a chmod and keeps 0777 (exFAT through FUSE) never passes for
// private: neither a folder made there nor one that was there.
TEST_F(PrivateFolderTest, AFolderThatStaysOpenAfterItsChmodIsRefused) {
    const testing::ExfatDisk disk(scratch / "stick.img", scratch / "stick");
    if (disk.refused()) GTEST_SKIP() << *disk.refused();
    fs::create_directory(scratch / "stick" / "there");
    ASSERT_EQ(modeOf(scratch / "stick" / "there"), 0777u);
    for (const char* name : {"made", "there"}) {
        std::string refusal;
        EXPECT_FALSE(Folder::open(scratch / "stick" / name, Missing::make, OpenToOthers::close, &refusal)) << name;
        EXPECT_EQ(refusal, "its file system keeps no modes: still 0777 after closing it to other users") << name;
    }
    // The fresh folder tried beside a refused per-user name can't serve either, and is not left.
    const EnvironmentChange temporary("TMPDIR", (scratch / "stick").string());
    EXPECT_FALSE(Folder::perUserTemporary());
    EXPECT_TRUE(testing::freshFoldersBeside(scratch / "stick" / ("zantiva-diagnostics-" + std::to_string(::getuid()))).empty());
}

} // namespace
} // namespace zantiva
