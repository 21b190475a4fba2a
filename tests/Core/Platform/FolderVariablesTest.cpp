// Root started with a user's HOME or TMPDIR: the variables that libraries and the programs
// started read name no folder of that user's once the process is settled.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <pwd.h>
#include <string>
#include <unistd.h>

#include "../../Support/EnvironmentChange.h"
#include "../../Support/OtherUser.h"
#include "../../Support/TemporaryFolder.h"
#include "Platform/FolderVariables.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using testing::EnvironmentChange;

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

class FolderVariablesTest : public ::testing::Test {
protected:
    testing::TemporaryFolder scratch;
    fs::path theirs = scratch / "theirs";

    void SetUp() override {
        fs::create_directory(theirs);
        if (::chown(theirs.c_str(), testing::otherUser, testing::otherUser) != 0) GTEST_SKIP() << "chown needs root";
    }
};

// Qt makes its runtime-<user> folder in TMPDIR without XDG_RUNTIME_DIR: another user's goes,
// one of this user's own or root's stays.
TEST_F(FolderVariablesTest, ATemporaryFolderOfAnotherUserGoes) {
    for (const fs::path& folder : {scratch.path(), fs::path("/tmp"), theirs}) {
        const EnvironmentChange temporary("TMPDIR", folder.string());
        keepFolderVariablesOwn();
        EXPECT_EQ(variable("TMPDIR"), folder == theirs ? std::nullopt : std::optional(folder.string()));
    }
}

// GStreamer's registry (Qt Multimedia) and GLib's runtime folder go in the cache folder: with
// another user's home, in this user's own, unless the variable names a folder that may be used.
TEST_F(FolderVariablesTest, WithAnotherUsersHomeTheCachesGoInThisUsersOwn) {
    struct Case {
        fs::path home;
        std::optional<std::string> cache, expected;
    };
    const std::optional<std::string> ownCache = std::string(::getpwuid(::geteuid())->pw_dir) + "/.cache";
    for (const Case& c : {Case{theirs, std::nullopt, ownCache}, Case{theirs, "relative", ownCache},
                          Case{theirs, theirs.string(), ownCache}, Case{theirs, "/var/cache", "/var/cache"},
                          Case{scratch.path(), std::nullopt, std::nullopt}}) {
        const EnvironmentChange home("HOME", c.home.string());
        const EnvironmentChange cache("XDG_CACHE_HOME", c.cache);
        keepFolderVariablesOwn();
        EXPECT_EQ(variable("XDG_CACHE_HOME"), c.expected) << c.home << " " << c.cache.value_or("(unset)");
    }
    EXPECT_TRUE(fs::is_empty(theirs));
}

} // namespace
} // namespace zantiva
