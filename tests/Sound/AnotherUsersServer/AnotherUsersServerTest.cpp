// Root started with the variables of a user who runs her own sound server (as under su -m or
// sudo -E, or in a container given the host user's socket and cookie): the program's tone,
// played as the speaker page plays it, reaches her server through the cookie she lets others
// read, and nothing is made or changed in her home or runtime folder on the way.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "../../Support/CleanEnvironment.h"
#include "../../Support/OtherUser.h"
#include "../../Support/PollUntil.h"
#include "../../Support/TemporaryFolder.h"
#include "Platform/BoundedProcess.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// What the tone program did, and whether her server had a stream of it meanwhile.
struct TonePlayed {
    BoundedProcessResult run;
    bool reachedHerServer = false;
};

class AnotherUsersServer : public ::testing::Test {
protected:
    testing::TemporaryFolder scratch;
    fs::path herHome = scratch / "her-home", herRuntime = scratch / "her-runtime";
    fs::path socket = herRuntime / "native", cookie = herHome / "cookie";
    fs::path ownHome = scratch / "own-home";
    bool serving = false;

    // Her session as her programs have it (with the services' mark, so that their end ends her
    // server too).
    Strings herEnvironment() const {
        return testing::withVariablesAlone({"HOME=" + herHome.string(), "XDG_RUNTIME_DIR=" + herRuntime.string(), "PATH=/usr/bin:/bin"});
    }
    std::optional<BoundedProcessResult> asHer(const Strings& command) const {
        Strings full{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
        for (const Strings& part : {herEnvironment(), command}) full.insert(full.end(), part.begin(), part.end());
        return runBoundedProcess(full, std::chrono::seconds(20));
    }

    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
        fs::permissions(scratch.path(), fs::perms::others_exec, fs::perm_options::add);
        fs::create_directory(herHome);
        fs::create_directory(herRuntime);
        fs::create_directory(ownHome);
        std::ofstream(cookie) << std::string(256, 'k');
        ::chmod(herHome.c_str(), 0755);
        ::chmod(herRuntime.c_str(), 0700);
        ::chmod(cookie.c_str(), 0644); // she lets others read it
        for (const fs::path& hers : {herHome, herRuntime, cookie}) ASSERT_EQ(::chown(hers.c_str(), 65534, 65534), 0);
        // A server of her own that takes only clients with her cookie.
        const auto started = asHer({"pulseaudio", "--daemonize=yes", "--exit-idle-time=-1", "-n",
                                    "--load=module-null-sink sink_name=hers",
                                    "--load=module-native-protocol-unix socket=" + socket.string() + " auth-cookie=" +
                                        cookie.string() + " auth-cookie-enabled=1 auth-anonymous=0"});
        ASSERT_TRUE(started && started->succeeded()) << "her sound server didn't start";
        serving = true;
    }
    void TearDown() override {
        if (serving) asHer({"pulseaudio", "--kill"});
    }

    // The streams playing on her server now, as her own pactl lists them.
    std::string herStreams() const {
        const auto listed = asHer({"env", "PULSE_SERVER=unix:" + socket.string(), "PULSE_COOKIE=" + cookie.string(), "pactl",
                                   "list", "short", "sink-inputs"});
        return listed && listed->succeeded() ? listed->output : "";
    }

    // The tone program, started by root with `variables` alone, for `seconds`; her server is
    // watched while it plays.
    TonePlayed playTone(const Strings& variables, double seconds = 3) const {
        Strings command = testing::withVariablesAlone({"HOME=" + ownHome.string(), "PATH=/usr/bin:/bin"});
        command.insert(command.end(), variables.begin(), variables.end());
        command.insert(command.end(), {ZANTIVA_TONE_PLAY, std::to_string(seconds)});
        TonePlayed played;
        std::atomic<bool> ended = false;
        std::thread tone([&] {
            played.run = runBoundedProcess(command, std::chrono::seconds(60), 1 << 16, {}, 1 << 16).value_or(BoundedProcessResult{});
            ended = true;
        });
        testing::pollUntil([&] {
            played.reachedHerServer = played.reachedHerServer || !herStreams().empty();
            return played.reachedHerServer || ended;
        }, std::chrono::seconds(60));
        tone.join();
        return played;
    }

    Strings notHers() const {
        Strings found = testing::notTheirsIn(herHome);
        for (const std::string& path : testing::notTheirsIn(herRuntime)) found.push_back(path);
        return found;
    }
};

// Her server's address and her cookie, which she lets others read, are only connected to and
// read: they stay, the tone reaches her server, and no cookie of root's own is made for it.
TEST_F(AnotherUsersServer, TheToneReachesHerServerThroughTheCookieSheLetsOthersRead) {
    const auto played = playTone({"PULSE_SERVER=unix:" + socket.string(), "PULSE_COOKIE=" + cookie.string()});
    EXPECT_EQ(played.run.output, "played\n") << played.run.errors;
    EXPECT_TRUE(played.reachedHerServer);
    EXPECT_EQ(played.run.errors.find("PULSE_"), std::string::npos) << played.run.errors;
    EXPECT_FALSE(fs::exists(ownHome / ".config" / "pulse" / "cookie")) << "a cookie of root's own was made";
    EXPECT_EQ(notHers(), Strings{});
}

// Her client configuration names a cookie file in her home that isn't made yet. It is hers, so
// it is not read: the library makes no folder or cookie of root's there, and the tone plays on
// root's own server, as without it. Standard error says what was left out and why.
TEST_F(AnotherUsersServer, HerClientConfigurationMakesNothingInHerHome) {
    const fs::path configuration = herHome / "client.conf";
    std::ofstream(configuration) << "cookie-file = " << (herHome / ".config" / "pulse" / "cookie2").string() << "\n";
    ASSERT_EQ(::chown(configuration.c_str(), 65534, 65534), 0);
    const char* ownRuntime = std::getenv("XDG_RUNTIME_DIR"); // the services' sound server, root's own
    ASSERT_NE(ownRuntime, nullptr) << "run under scripts/with-services";
    const auto played = playTone({"XDG_RUNTIME_DIR=" + std::string(ownRuntime), "PULSE_CLIENTCONFIG=" + configuration.string()}, 1);
    EXPECT_EQ(played.run.output, "played\n") << played.run.errors;
    EXPECT_EQ(notHers(), Strings{});
    EXPECT_NE(played.run.errors.find("zantiva-diagnostics: [folders] PULSE_CLIENTCONFIG " + configuration.string() +
                                     " belongs to user 65534: taken out of the environment, so PulseAudio's library reads no "
                                     "configuration from there, which can name where it makes its cookie\n"),
              std::string::npos)
        << played.run.errors;
}

} // namespace
} // namespace zantiva
