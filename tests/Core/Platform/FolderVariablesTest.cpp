// Root started with a user's HOME, TMPDIR or XDG folders, or a variable naming a place a library
// writes to (PulseAudio's runtime folder and cookie, GStreamer's registry): the variables that
// libraries and the programs started read name no place of that user's once the process is
// settled, nor one that would have them make folders at the file system's root.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// What the program said on standard error while `work` ran.
template <typename Work>
std::string standardErrorOf(const fs::path& file, Work work) {
    const int saved = ::dup(STDERR_FILENO);
    const int written = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ::dup2(written, STDERR_FILENO);
    work();
    ::dup2(saved, STDERR_FILENO);
    ::close(written);
    ::close(saved);
    std::ifstream said(file);
    return std::string(std::istreambuf_iterator<char>(said), {});
}

class FolderVariablesTest : public ::testing::Test {
protected:
    testing::TemporaryFolder scratch;
    fs::path theirs = scratch / "theirs";
    fs::path theirsInner = theirs / "inner";
    // A link of root's leading into the other user's folder: "intoTheirs/.." is their folder
    // as the kernel and the libraries follow it, and the scratch folder on paper.
    fs::path intoTheirs = scratch / "into-theirs";
    std::string ownHome = ::getpwuid(::geteuid())->pw_dir;

    void SetUp() override {
        fs::create_directories(theirsInner);
        fs::create_directory_symlink(theirsInner, intoTheirs);
        for (const fs::path& folder : {theirsInner, theirs})
            if (::chown(folder.c_str(), testing::otherUser, testing::otherUser) != 0) GTEST_SKIP() << "chown needs root";
    }
    void TearDown() override {
        EXPECT_EQ(std::distance(fs::directory_iterator(theirs), {}), 1) << "something was made in the other user's folder";
        EXPECT_TRUE(fs::is_empty(theirsInner)) << "something was made in the other user's folder";
    }
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
        {"HOME", (intoTheirs / "..").string(), ownHome},
        {"HOME", (intoTheirs / ".." / "not-made").string(), ownHome},
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
        const fs::path underHome = std::string(inHome).substr(1);
        cases.push_back({name, (intoTheirs / ".." / underHome).string(), ownHome + inHome});
        cases.push_back({name, (intoTheirs / ".." / ".." / "theirs" / underHome).string(), ownHome + inHome});
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

// Each variable naming a place a library makes, writes or takes over (PulseAudio's runtime
// folder, which its library would make root's; GStreamer's registry, which would be written
// over; PulseAudio's cookie, made with its folder) is taken out where that place is another
// user's, however it is reached, and stays where it is this user's or the system's.
TEST_F(FolderVariablesTest, APlaceALibraryWritesToOfAnotherUsersIsLeftOut) {
    const fs::path theirFile = scratch / "their-file";
    std::ofstream(theirFile) << "x";
    const fs::path ownLinkToTheirs = scratch / "link";
    fs::create_directory_symlink(theirs, ownLinkToTheirs);
    // A link the other user owns that leads to root's: what it leads to is judged.
    const fs::path theirLinkToOwn = scratch / "their-link";
    fs::create_directory_symlink(scratch.path(), theirLinkToOwn);
    if (::chown(theirFile.c_str(), testing::otherUser, testing::otherUser) != 0 ||
        ::lchown(theirLinkToOwn.c_str(), testing::otherUser, testing::otherUser) != 0)
        GTEST_SKIP() << "chown needs root";
    const std::string gone[] = {
        theirs.string(),                                       // theirs
        (theirs / "pulse").string(),                           // theirs, not made yet
        (theirs / "not-made" / "cookie").string(),             // in a folder of theirs not made yet
        (ownLinkToTheirs / "pulse").string(),                  // through a link
        (intoTheirs / "..").string(),                          // ".." after a link
        (intoTheirs / ".." / ".cache" / "registry.bin").string(),
        theirFile.string(),                                    // their file, in root's folder
    };
    const std::string kept[] = {
        scratch.path().string(),                               // own
        (scratch / "not-made" / "cookie").string(),            // own, not made yet
        (theirLinkToOwn / "pulse").string(),                   // their link leading to root's
        (theirs / ".." / "not-made").string(),                 // out of theirs again
        "/var/cache/not-made",                                 // the system's
        "/tmp",
    };
    for (const char* name : {"PULSE_RUNTIME_PATH", "PULSE_COOKIE", "GST_REGISTRY", "GST_REGISTRY_1_0", "XDG_RUNTIME_DIR",
                             "PULSE_STATE_PATH", "PULSE_CONFIG_PATH", "MESA_SHADER_CACHE_DIR", "GST_DEBUG_FILE"}) {
        for (const std::string& place : gone) {
            const EnvironmentChange changed(name, place);
            keepFolderVariablesOwn();
            EXPECT_EQ(variable(name), std::nullopt) << name << "=" << place;
        }
        for (const std::string& place : kept) {
            const EnvironmentChange changed(name, place);
            keepFolderVariablesOwn();
            EXPECT_EQ(variable(name), place) << name << "=" << place;
        }
    }
}

// PulseAudio's library takes its temporary folder from TMP, TEMP or TEMPDIR as well.
TEST_F(FolderVariablesTest, EveryTemporaryFolderVariableIsJudgedAsTmpdirIs) {
    for (const char* name : {"TMP", "TEMP", "TEMPDIR"}) {
        for (const std::string& folder : {theirs.string(), (intoTheirs / "..").string(), std::string("relative")}) {
            const EnvironmentChange changed(name, folder);
            keepFolderVariablesOwn();
            EXPECT_EQ(variable(name), std::nullopt) << name << "=" << folder;
        }
        const EnvironmentChange changed(name, scratch.path().string());
        keepFolderVariablesOwn();
        EXPECT_EQ(variable(name), scratch.path().string()) << name;
    }
}

// Containers and many machines keep no system log: each change is said on standard error too.
TEST_F(FolderVariablesTest, EachChangeIsSaidOnStandardError) {
    const EnvironmentChange home("HOME", theirs.string());
    const EnvironmentChange runtime("PULSE_RUNTIME_PATH", (theirs / "pulse").string());
    const std::string said = standardErrorOf(scratch / "said", [] { keepFolderVariablesOwn(); });
    EXPECT_NE(said.find("zantiva-diagnostics: [folders] HOME " + theirs.string() + " is in a folder of user 65534: " +
                        ownHome + " serves instead\n"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("zantiva-diagnostics: [folders] PULSE_RUNTIME_PATH " + (theirs / "pulse").string() +
                        " is in a folder of user 65534: taken out of the environment"),
              std::string::npos)
        << said;
}

} // namespace
} // namespace zantiva
