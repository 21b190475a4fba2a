// The data folder at start-up, on real files: an older install's open folder and files are
// closed, the CSV export is left as the user's umask made it, and a folder that is a link
// or another user's is never read or written.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "../Support/EnvironmentChange.h"
#include "../Support/OtherUser.h"
#include "../Support/TemporaryFolder.h"
#include "App/AppFolder.h"
#include "Model/AppPaths.h"
#include "Model/AppSettingsStore.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

namespace fs = std::filesystem;

fs::perms modeOf(const fs::path& path) { return fs::symlink_status(path).permissions(); }

class AppFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(victim);
        fs::permissions(victim, fs::perms(0755));
        writeRaw(victim / "settings.json", R"({"language": "en"})");
        fs::permissions(victim / "settings.json", fs::perms(0644));
    }
    void expectVictimUntouched() {
        EXPECT_EQ(modeOf(victim), fs::perms(0755));
        EXPECT_EQ(modeOf(victim / "settings.json"), fs::perms(0644));
        EXPECT_EQ(std::distance(fs::directory_iterator(victim), {}), 1);
    }

    TemporaryFolder scratch;
    fs::path victim = scratch / "victim";
    EnvironmentChange dataHome{"XDG_DATA_HOME", (scratch / "data").string()};
    fs::path folder = scratch / "data" / std::string(AppPaths::folderName);
};

TEST_F(AppFolderTest, AnOlderInstallIsClosedToOtherUsersButTheExportKeepsItsMode) {
    EXPECT_EQ(openAppFolder(), folder);
    EXPECT_FALSE(fs::exists(folder)) << "made at the first save, not before";

    fs::create_directories(folder);
    fs::permissions(folder, fs::perms(0755));
    for (const char* name : {"settings.json", "last-report.json", "apps benchmarks.csv"}) {
        writeRaw(folder / name, "{}");
        fs::permissions(folder / name, fs::perms(0644));
    }
    fs::create_symlink(victim / "settings.json", folder / "linked.json");

    EXPECT_EQ(openAppFolder(), folder);
    EXPECT_EQ(modeOf(folder), fs::perms(0700));
    EXPECT_EQ(modeOf(folder / "settings.json"), fs::perms(0600));
    EXPECT_EQ(modeOf(folder / "last-report.json"), fs::perms(0600));
    EXPECT_EQ(modeOf(folder / "apps benchmarks.csv"), fs::perms(0644));
    expectVictimUntouched();
}

TEST_F(AppFolderTest, ALinkOrAnotherUsersFolderIsNeitherReadNorWritten) {
    fs::create_directories(folder.parent_path());
    fs::create_directory_symlink(victim, folder);
    EXPECT_EQ(openAppFolder(), std::nullopt);
    AppSettingsStore settings(openAppFolder());
    EXPECT_EQ(settings.current().language, AppLanguage::persian) << "the linked folder's file is not read";
    settings.setLanguage(AppLanguage::english);
    expectVictimUntouched();

    const fs::path shared = sharedTemporaryIn(scratch.path());
    const EnvironmentChange sharedHome("XDG_DATA_HOME", shared.string());
    if (const auto why = asOtherUser({"mkdir", "-m", "0755", (shared / std::string(AppPaths::folderName)).string()}))
        GTEST_SKIP() << *why;
    EXPECT_EQ(openAppFolder(), std::nullopt);
}

// A save without a folder says why: here the folder is a link, and there is a home folder.
TEST_F(AppFolderTest, ASaveInARefusedFolderSaysWhatTheFolderIs) {
    fs::create_directories(folder.parent_path());
    fs::create_directory_symlink(victim, folder);
    AppSettingsStore settings(openAppFolder());
    EXPECT_EQ(settings.setLanguage(AppLanguage::english).reason,
              folder.string() + " is not a private folder of this user's: a link, owned by user " +
                  std::to_string(::geteuid()));
}

// What the window and the command line say from the start: the refused folder and why;
// nothing when the folder serves or is still to be made.
TEST_F(AppFolderTest, ARefusedFolderIsToldWithItsPath) {
    EXPECT_EQ(openAppFolderWithNotice().notice, std::nullopt);
    fs::create_directories(folder.parent_path());
    fs::create_directory_symlink(victim, folder);
    const AppFolder linked = openAppFolderWithNotice();
    EXPECT_EQ(linked.path, std::nullopt);
    EXPECT_EQ(linked.notice, LocalizedMessage("AppFolder.Link", folder.string()));

    const fs::path shared = sharedTemporaryIn(scratch.path());
    const fs::path theirs = shared / "theirs";
    const EnvironmentChange sharedHome("XDG_DATA_HOME", theirs.string());
    if (const auto why = asOtherUser({"mkdir", "-m", "0755", theirs.string()})) GTEST_SKIP() << *why;
    EXPECT_EQ(openAppFolderWithNotice().notice,
              LocalizedMessage("AppFolder.Refused", (theirs / std::string(AppPaths::folderName)).string(),
                               "in " + theirs.string() +
                                   ", a folder of user 65534: nothing is made or used in another user's folder"));
    EXPECT_TRUE(fs::is_empty(theirs));
}

// Root started with a user's HOME (sudo -E) makes nothing there, stores nothing, and says so.
TEST_F(AppFolderTest, RootWithAnotherUsersHomeMakesNothingThere) {
    const fs::path home = scratch / "home";
    fs::create_directory(home);
    if (::geteuid() != 0 || ::chown(home.c_str(), otherUser, otherUser) != 0) GTEST_SKIP() << "needs root";
    const EnvironmentChange homeVariable("HOME", home.string());
    const EnvironmentChange noDataHome("XDG_DATA_HOME", std::nullopt);

    const AppFolder opened = openAppFolderWithNotice();
    EXPECT_EQ(opened.path, std::nullopt);
    EXPECT_EQ(opened.notice, LocalizedMessage("AppFolder.OthersHome", home.string(), "65534", "0"));
    AppSettingsStore settings(opened.path);
    EXPECT_EQ(settings.setLanguage(AppLanguage::english).reason, "the home folder " + home.string() + " is user 65534's");
    EXPECT_TRUE(fs::is_empty(home));
}

} // namespace
