// Root started with a user's HOME, TMPDIR or XDG folders, or any variable naming a place of
// theirs (PulseAudio's runtime folder, GStreamer's registry, a configuration file): the
// variables that libraries and the programs started read name no place of that user's once the
// process is settled, nor one that would have them make folders at the file system's root;
// those only read or connected through stay while what they name is there and open.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <pwd.h>
#include <string>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

#include "../../Support/EnvironmentChange.h"
#include "../../Support/OtherUser.h"
#include "../../Support/ChildEnd.h"
#include "../../Support/TemporaryFolder.h"
#include "../../Support/WorkingFolder.h"
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
    for (const char* name : {"PULSE_RUNTIME_PATH", "FONTCONFIG_FILE", "PULSE_CLIENTCONFIG", "GST_REGISTRY", "GST_REGISTRY_1_0", "XDG_RUNTIME_DIR",
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

// Whatever library reads it: a variable naming a place of theirs is taken out, be it a path, a
// file: URL or an address; a list of paths (PATH, the search paths) loses only their parts;
// words and places of this user's or the system's stay.
TEST_F(FolderVariablesTest, AnyOtherVariableNamingAPlaceOfAnotherUsersIsLeftOut) {
    const fs::path theirFile = scratch / "their fonts.conf";
    std::ofstream(theirFile) << "<fontconfig/>";
    if (::chown(theirFile.c_str(), testing::otherUser, testing::otherUser) != 0) GTEST_SKIP() << "chown needs root";
    const std::string escaped = (scratch / "their%20fonts.conf").string();
    struct Case {
        const char* name;
        std::string given;
        Value settled;
    };
    const Case cases[] = {
        {"FONTCONFIG_FILE", theirFile.string(), std::nullopt},
        {"SOME_TOOL_CONFIG", (theirs / "not-made" / "tool.conf").string(), std::nullopt},
        {"SOME_TOOL_URL", "file://" + escaped, std::nullopt},
        {"SOME_TOOL_ADDRESS", "unix:path=" + (intoTheirs / ".." / "socket").string() + ",guid=1", std::nullopt},
        {"SOME_TOOL_CONFIG", (scratch / "own.conf").string(), (scratch / "own.conf").string()},
        {"SOME_TOOL_CONFIG", "relative/tool.conf", "relative/tool.conf"},
        {"LANG", "en_US.UTF-8", "en_US.UTF-8"},
        {"DISPLAY", ":0", ":0"},
        {"XDG_SESSION_PATH", "/org/freedesktop/DisplayManager/Session0", "/org/freedesktop/DisplayManager/Session0"},
        {"PATH", theirs.string() + ":/usr/bin::bin:" + theirs.string(), "/usr/bin::bin"},
        {"XDG_DATA_DIRS", (theirs / "share").string() + ":" + (intoTheirs / ".." / "share").string(), std::nullopt},
        {"FONTCONFIG_PATH", "/etc/fonts:" + scratch.path().string(), "/etc/fonts:" + scratch.path().string()},
    };
    for (const Case& c : cases) {
        const EnvironmentChange changed(c.name, c.given);
        keepFolderVariablesOwn();
        EXPECT_EQ(variable(c.name), c.settled) << c.name << "=" << c.given;
    }
    // A relative value of a variable known to name where a library writes is taken from the
    // working folder.
    const testing::WorkingFolder inTheirs(theirs);
    ASSERT_TRUE(inTheirs.entered());
    for (const char* name : {"GST_DEBUG_FILE", "SOME_TOOL_LOG"}) {
        const EnvironmentChange changed(name, "debug.log");
        keepFolderVariablesOwn();
        EXPECT_EQ(variable(name), name == std::string("SOME_TOOL_LOG") ? Value("debug.log") : std::nullopt) << name;
    }
}

// A socket of the other user's at `path`.
bool theirSocketAt(const fs::path& path) {
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.string().copy(address.sun_path, sizeof address.sun_path - 1);
    const bool made = listening >= 0 && ::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                      ::chown(path.c_str(), testing::otherUser, testing::otherUser) == 0;
    if (listening >= 0) ::close(listening);
    return made;
}

// The X authority, the sound server, the session bus and an existing whole cookie are only
// read or connected to: they stay where what they name is there and open to the one running,
// whoever owns it; one naming nothing there, something else, or a cookie PulseAudio's library
// would write over (fewer than its 256 bytes) is taken out, and the file is left as it was.
TEST_F(FolderVariablesTest, WhatIsOnlyReadOrConnectedToStaysWhereItIsThereAndOpen) {
    const fs::path cookie = scratch / "cookie", shortCookie = scratch / "short", socket = scratch / "native";
    std::ofstream(cookie) << std::string(256, 'c');
    std::ofstream(shortCookie) << "short";
    if (!theirSocketAt(socket) || ::chown(cookie.c_str(), testing::otherUser, testing::otherUser) != 0 ||
        ::chown(shortCookie.c_str(), testing::otherUser, testing::otherUser) != 0)
        GTEST_SKIP() << "chown needs root";
    const std::string missing = (theirs / "not-made" / "cookie").string();
    struct Case {
        const char* name;
        std::string given;
        bool stays;
    };
    const Case cases[] = {
        {"PULSE_COOKIE", cookie.string(), true},
        {"PULSE_COOKIE", shortCookie.string(), false},
        {"PULSE_COOKIE", missing, false},
        {"PULSE_COOKIE", theirs.string(), false},
        {"XAUTHORITY", shortCookie.string(), true},
        {"XAUTHORITY", missing, false},
        {"PULSE_SERVER", "unix:" + socket.string(), true},
        {"PULSE_SERVER", socket.string() + " tcp:localhost", true},
        {"PULSE_SERVER", "unix:" + cookie.string(), false},
        {"PULSE_SERVER", "unix:" + (theirs / "native").string(), false},
        {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + socket.string() + ",guid=0123", true},
        {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (theirs / "bus").string(), false},
        {"DBUS_SESSION_BUS_ADDRESS", "unix:abstract=/tmp/dbus-x", true},
    };
    for (const Case& c : cases) {
        const EnvironmentChange changed(c.name, c.given);
        keepFolderVariablesOwn();
        EXPECT_EQ(variable(c.name), c.stays ? Value(c.given) : std::nullopt) << c.name << "=" << c.given;
    }
    EXPECT_EQ(fs::file_size(shortCookie), 5u);

    // A user other than its owner keeps a cookie it may read, and leaves one it may not.
    fs::permissions(scratch.path(), fs::perms::others_exec, fs::perm_options::add);
    const fs::path closedCookie = scratch / "closed";
    std::ofstream(closedCookie) << std::string(256, 'c');
    ::chmod(closedCookie.c_str(), 0600);
    ::chmod(cookie.c_str(), 0644);
    for (const fs::path& file : {cookie, closedCookie})
        ASSERT_EQ(::chown(file.c_str(), testing::otherUser - 1, testing::otherUser - 1), 0);
    const auto keptBy = [](const fs::path& file) {
        return testing::answerAsOtherUser([&file] {
            ::setenv("PULSE_COOKIE", file.c_str(), 1);
            keepFolderVariablesOwn();
            return std::string(std::getenv("PULSE_COOKIE") ? "kept" : "left out");
        });
    };
    EXPECT_EQ(keptBy(cookie), "kept");
    EXPECT_EQ(keptBy(closedCookie), "left out");
}

// Containers and many machines keep no system log: each change is said on standard error too,
// in words true to the case.
TEST_F(FolderVariablesTest, EachChangeIsSaidOnStandardErrorAsItIs) {
    const fs::path shortCookie = scratch / "short";
    std::ofstream(shortCookie) << "short";
    if (::chown(shortCookie.c_str(), testing::otherUser, testing::otherUser) != 0) GTEST_SKIP() << "chown needs root";
    const std::string cookie = (theirs / "not-made" / "cookie").string();
    const EnvironmentChange home("HOME", theirs.string());
    const EnvironmentChange runtime("PULSE_RUNTIME_PATH", (theirs / "pulse").string());
    const EnvironmentChange missingCookie("PULSE_COOKIE", cookie);
    const EnvironmentChange shortOne("XAUTHORITY", "");
    const EnvironmentChange path("PATH", theirs.string() + ":/usr/bin");
    const EnvironmentChange config("FONTCONFIG_FILE", shortCookie.string());
    const std::string said = standardErrorOf(scratch / "said", [] { keepFolderVariablesOwn(); });
    const std::string lines[] = {
        "HOME " + theirs.string() + " belongs to user 65534: " + ownHome + " serves instead",
        "PULSE_RUNTIME_PATH " + (theirs / "pulse").string() +
            " is in a folder of user 65534: taken out of the environment, so PulseAudio's runtime folder is not made or taken "
            "over there",
        "PULSE_COOKIE " + cookie + " is not there, in a folder of user 65534: taken out of the environment, so PulseAudio's "
            "library makes no cookie there; the library looks for this user's own cookie instead",
        "PATH: " + theirs.string() + " belongs to user 65534: taken out of it, /usr/bin stays",
        "FONTCONFIG_FILE " + shortCookie.string() + " belongs to user 65534: taken out of the environment, so fontconfig "
            "reads no configuration from there, which can name where it writes its cache",
    };
    for (const std::string& line : lines)
        EXPECT_NE(said.find("zantiva-diagnostics: [folders] " + line + "\n"), std::string::npos) << line << "\n" << said;
    {
        const EnvironmentChange wholeCookie("PULSE_COOKIE", shortCookie.string());
        EXPECT_EQ(standardErrorOf(scratch / "said", [] { keepFolderVariablesOwn(); }),
                  "zantiva-diagnostics: [folders] PULSE_COOKIE " + shortCookie.string() +
                      " belongs to user 65534 and holds 5 bytes, not a whole cookie: taken out of the environment, so "
                      "PulseAudio's library writes no cookie over it; the library looks for this user's own cookie instead\n");
    }
    std::ofstream(shortCookie) << std::string(256, 'c');
    const EnvironmentChange wholeCookie("PULSE_COOKIE", shortCookie.string());
    EXPECT_EQ(standardErrorOf(scratch / "said", [] { keepFolderVariablesOwn(); }), "") << "a cookie only read is no change";
}

// A home restored with its old owner: the home the password database gives the user running
// belongs to another uid. It is no home of theirs, and the words say so rather than naming
// the same folder as the one that serves instead.
TEST_F(FolderVariablesTest, AHomeOfAnotherUserAsThePasswordDatabaseGivesItStaysAndIsSaidSo) {
    const fs::path said = scratch / "said";
    const std::string end = testing::endOfChild([&] {
        // The password database's home of the user running is their folder, in this process alone.
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(theirs.c_str(), ownHome.c_str(), nullptr, MS_BIND, nullptr) != 0)
            return 2;
        ::clearenv();
        ::setenv("HOME", ownHome.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (ownHome + "/.config").c_str(), 1);
        const std::string words = standardErrorOf(said, [] { keepFolderVariablesOwn(); });
        std::ofstream(said) << words << "HOME=" << std::getenv("HOME") << "\n";
        return 0;
    });
    if (end == "exit 2") GTEST_SKIP() << "a mount namespace of its own can't be made here";
    ASSERT_EQ(end, "exit 0");
    std::ifstream read(said);
    const std::string words(std::istreambuf_iterator<char>(read), {});
    EXPECT_EQ(words, "zantiva-diagnostics: [folders] HOME " + ownHome +
                         " belongs to user 65534, and the password database gives this user no home of their own: it "
                         "stays, and the program stores nothing there\n"
                         "zantiva-diagnostics: [folders] XDG_CONFIG_HOME " + ownHome +
                         "/.config is in a folder of user 65534: taken out of the environment; this user has no home "
                         "of their own to serve instead\n"
                         "HOME=" + ownHome + "\n");
}

} // namespace
} // namespace zantiva
