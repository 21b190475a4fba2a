// Root started with a user's HOME, TMPDIR or XDG folders: the variables that libraries and the
// programs started read name no folder of that user's once the process is settled, nor one that
// would have them make folders at the file system's root.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <pwd.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "../../Support/EnvironmentChange.h"
#include "../../Support/OtherUser.h"
#include "../../Support/TemporaryFolder.h"
#include "Platform/FolderVariables.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using testing::EnvironmentChange;
using Value = std::optional<std::string>;

Value variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? Value(value) : std::nullopt;
}

class FolderVariablesTest : public ::testing::Test {
protected:
    testing::TemporaryFolder scratch;
    fs::path theirs = scratch / "theirs";
    std::string ownHome = ::getpwuid(::geteuid())->pw_dir;

    void SetUp() override {
        fs::create_directory(theirs);
        if (::chown(theirs.c_str(), testing::otherUser, testing::otherUser) != 0) GTEST_SKIP() << "chown needs root";
    }
    void TearDown() override { EXPECT_TRUE(fs::is_empty(theirs)) << "something was made in the other user's folder"; }
};

// Qt makes its runtime-<user> folder in TMPDIR without XDG_RUNTIME_DIR, and at the file system's
// root where TMPDIR names nothing: only a folder of this user's own or root's stays.
TEST_F(FolderVariablesTest, OnlyATemporaryFolderOfThisUsersOrRootsStays) {
    std::ofstream(scratch / "file") << "x";
    const std::string kept[] = {scratch.path().string(), "/tmp", "/tmp/"};
    const std::string gone[] = {theirs.string(), (theirs / "not-made").string(), (scratch / "not-made").string(),
                                (scratch / "file").string(), "relative"};
    for (const std::string& folder : kept) {
        const EnvironmentChange temporary("TMPDIR", folder);
        keepFolderVariablesOwn();
        EXPECT_EQ(variable("TMPDIR"), folder);
    }
    for (const std::string& folder : gone) {
        const EnvironmentChange temporary("TMPDIR", folder);
        keepFolderVariablesOwn();
        EXPECT_EQ(variable("TMPDIR"), std::nullopt) << folder;
    }
}

// The home and the four XDG folders are judged each on its own, whatever the others name, by the
// folder named or, before it is made, the nearest one above it.
TEST_F(FolderVariablesTest, EachFolderVariableOfAnotherUsersBecomesThisUsersOwn) {
    struct Case {
        const char* name;
        Value given, settled;
    };
    const std::string theirsMissing = (theirs / ".cache").string() + "/"; // not made yet, as on a new account
    std::vector<Case> cases{
        {"HOME", theirs.string(), ownHome},
        {"HOME", theirsMissing, ownHome},
        {"HOME", std::nullopt, ownHome},
        {"HOME", "", ownHome},
        {"HOME", "relative", ownHome},
        {"HOME", scratch.path().string(), scratch.path().string()},
        {"HOME", (scratch / "not-made").string(), (scratch / "not-made").string()},
    };
    for (const auto& [name, inHome] : {std::pair{"XDG_CONFIG_HOME", "/.config"}, std::pair{"XDG_CACHE_HOME", "/.cache"},
                                       std::pair{"XDG_DATA_HOME", "/.local/share"},
                                       std::pair{"XDG_STATE_HOME", "/.local/state"}}) {
        cases.push_back({name, theirs.string(), ownHome + inHome});
        cases.push_back({name, theirsMissing, ownHome + inHome});
        cases.push_back({name, "relative", std::nullopt});
        cases.push_back({name, std::nullopt, std::nullopt});
        cases.push_back({name, "/var/cache", "/var/cache"});
        cases.push_back({name, scratch.path().string(), scratch.path().string()});
    }
    // Once with root's own home (su without "-" keeps the user's XDG folders), once with theirs.
    for (const Value& home : {Value(ownHome), Value(theirs.string())}) {
        for (const Case& c : cases) {
            const EnvironmentChange homeVariable("HOME", home);
            const EnvironmentChange changed(c.name, c.given);
            keepFolderVariablesOwn();
            EXPECT_EQ(variable(c.name), c.settled) << c.name << "=" << c.given.value_or("(unset)") << " HOME=" << *home;
            if (c.name != std::string("HOME")) {
                EXPECT_EQ(variable("HOME"), ownHome);
            }
        }
    }
}

} // namespace
} // namespace zantiva
