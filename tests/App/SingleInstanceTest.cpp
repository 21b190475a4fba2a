// One program per user and machine: the lock, the hand-over of links over the local socket,
// its bounds, taking over from a process that died, and the runtime folder every launch finds.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../Support/AwaitTask.h"
#include "../Support/EnvironmentChange.h"
#include "../Support/FullDisk.h"
#include "../Support/NoFreeDescriptors.h"
#include "../Support/OtherUser.h"
#include "../Support/TemporaryFolder.h"
#include "App/LockHolder.h"
#include "App/SingleInstance.h"
#include "App/StartupId.h"
#include "Platform/FileDescriptor.h"
#include "Platform/PrivateFolder.h"

using namespace zantiva;
using namespace zantiva::testing;
using Role = SingleInstance::Role;
using Request = SingleInstance::Request;
using namespace std::chrono_literals;

namespace {

// For the tests that wait a silence out: long enough for a line sent at once to arrive.
constexpr auto shortPatience = 300ms;
constexpr char lockName[] = "zantiva-diagnostics.lock";

std::string readRaw(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The folder at `path`, opened as the running program opens its own.
std::optional<PrivateFolder> privateFolder(const std::filesystem::path& path) {
    return PrivateFolder::open(path, PrivateFolder::IfMissing::refuse, PrivateFolder::IfOpenToOthers::refuse);
}

// A later launch, on a thread of its own: it blocks while this thread's event loop lets the
// running instance answer. `folder` gives its folder, on that thread.
Role launchOnAThread(const std::function<std::optional<PrivateFolder>()>& folder, const Request& request,
                     std::chrono::milliseconds patience = SingleInstance::defaultPatience) {
    Role role = Role::unanswered;
    const std::unique_ptr<QThread> thread(QThread::create([&] {
        if (auto opened = folder()) role = SingleInstance(std::move(*opened), patience).start(request);
    }));
    thread->start();
    EXPECT_TRUE(runUntil([&] { return thread->isFinished(); }));
    thread->wait();
    return role;
}

class SingleInstanceTest : public ::testing::Test {
protected:
    PrivateFolder openFolder() const { return privateFolder(folder.path()).value(); }

    Role launch(const Request& request, std::chrono::milliseconds patience = SingleInstance::defaultPatience) {
        return launchOnAThread([&] { return privateFolder(folder.path()); }, request, patience);
    }

    // The lock held as a running program holds it, with `record` as who holds it.
    FileDescriptor holdLock(const std::string& record = LockHolder::thisProcess().record()) const {
        std::error_code error;
        auto lock = openFolder().lockFile(lockName, 0ms, error);
        EXPECT_TRUE(lock) << error.message();
        if (!lock) return FileDescriptor();
        writeRaw(folder / lockName, record);
        return std::move(*lock);
    }

    // A socket that listens where the running program's does, and never takes a connection.
    FileDescriptor listenWithoutAnswering() const {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = (folder / "zantiva-diagnostics.socket").string();
        std::filesystem::remove(path);
        std::copy(path.begin(), path.end(), address.sun_path);
        FileDescriptor server(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        EXPECT_EQ(::bind(server.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(server.get(), 4), 0);
        return server;
    }

    // A raw client that sends bytes and waits for the running instance to hang up.
    bool hangsUpAfter(const QByteArray& bytes, SingleInstance& running) {
        QLocalSocket client;
        client.connectToServer(running.socketPath());
        if (!client.waitForConnected(1000)) return false;
        client.write(bytes);
        return runUntil([&] { return client.state() == QLocalSocket::UnconnectedState; }, std::chrono::seconds(10));
    }

    TemporaryFolder folder;
};

TEST_F(SingleInstanceTest, LaterLaunchesHandOverAndWaitInLineForTheReceiver) {
    SingleInstance running(openFolder());
    ASSERT_EQ(running.start(std::nullopt), Role::primary);
    EXPECT_TRUE(QFileInfo::exists(running.lockPath()));
    EXPECT_TRUE(QFileInfo::exists(running.socketPath()));

    // Spaces and letters beyond ASCII travel encoded and come back as the same link.
    const QUrl link(QStringLiteral("zantiva://auth?code=a b&state=ö1&site=zantiva.com"));
    EXPECT_EQ(launch(link), Role::handedOver);
    EXPECT_EQ(launch(std::nullopt), Role::handedOver) << "a plain second launch only raises the window";

    std::vector<Request> received;
    running.setReceiver([&](const Request& request) { received.push_back(request); });
    ASSERT_EQ(received, (std::vector<Request>{link, std::nullopt})) << "queued until there is a receiver, in order";

    const QUrl later(QStringLiteral("zantiva://auth?code=2"));
    EXPECT_EQ(launch(later), Role::handedOver);
    EXPECT_EQ(received.back(), Request(later));
}

TEST_F(SingleInstanceTest, ALineIsBoundedAndASilentClientIsCutOff) {
    SingleInstance running(openFolder(), shortPatience);
    ASSERT_EQ(running.start(std::nullopt), Role::primary);
    std::vector<Request> received;
    running.setReceiver([&](const Request& request) { received.push_back(request); });

    const QByteArray prefix = "zantiva://auth?code=";
    const QByteArray longest = prefix + QByteArray(SingleInstance::maxLineBytes - prefix.size(), 'a');
    ASSERT_TRUE(hangsUpAfter(longest + '\n', running));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], Request(QUrl::fromEncoded(longest)));

    EXPECT_TRUE(hangsUpAfter(longest + "a\n", running)) << "one byte over the bound";
    EXPECT_TRUE(hangsUpAfter(QByteArray(64 * 1024, 'a'), running));
    EXPECT_TRUE(hangsUpAfter("zantiva://auth?code=3", running)) << "a line never ended is silence";
    EXPECT_TRUE(hangsUpAfter({}, running));
    EXPECT_EQ(received.size(), 1u) << "nothing of those was delivered";
}

// A launch passes its startup id on with its line, for the window to activate with. A line of an
// earlier version, without one, still acts; an id that is none is left out and the line acted
// on; a link that leaves no room for the id goes without it.
TEST_F(SingleInstanceTest, ALaunchsStartupIdTravelsWithItsLine) {
    SingleInstance running(openFolder());
    ASSERT_EQ(running.start(std::nullopt), Role::primary);
    std::vector<Request> received;
    running.setReceiver([&](const Request& request) { received.push_back(request); });

    const QUrl link(QStringLiteral("zantiva://auth?code=a b"));
    const QByteArray prefix = "zantiva://auth?code=";
    const QUrl longest(QString::fromLatin1(prefix + QByteArray(SingleInstance::maxLineBytes - prefix.size(), 'a')));
    EXPECT_EQ(launch(Request(link, "panel/zantiva/1-0-host_TIME42")), Role::handedOver);
    EXPECT_EQ(launch(Request(std::nullopt, "panel/zantiva/2-0-host_TIME43")), Role::handedOver);
    EXPECT_EQ(launch(Request(link, "not an id")), Role::handedOver);
    EXPECT_EQ(launch(Request(longest, "panel/zantiva/3-0-host_TIME44")), Role::handedOver);
    ASSERT_TRUE(hangsUpAfter("zantiva://auth?code=6\n", running));
    ASSERT_TRUE(hangsUpAfter("\n", running));
    ASSERT_TRUE(hangsUpAfter("zantiva://auth?code=7 a\"b\n", running));
    ASSERT_TRUE(hangsUpAfter(" " + QByteArray(StartupId::maxBytes + 1, 'a') + "\n", running));
    const QUrl six(QStringLiteral("zantiva://auth?code=6")), seven(QStringLiteral("zantiva://auth?code=7"));
    EXPECT_EQ(received, (std::vector<Request>{Request(link, "panel/zantiva/1-0-host_TIME42"),
                                              Request(std::nullopt, "panel/zantiva/2-0-host_TIME43"), Request(link),
                                              Request(longest), Request(six), Request(std::nullopt), Request(seven),
                                              Request(std::nullopt)}));
}

// The line itself, both ways: the link up to the first space, the startup id after it; what
// doesn't fit or isn't one is left out, and a line written reads back to its request.
TEST(SingleInstanceLine, ALineIsItsLinkThenTheLaunchsStartupId) {
    bool leftOut = true;
    const QUrl six(QStringLiteral("zantiva://auth?code=6"));
    EXPECT_EQ(SingleInstance::requestOf("zantiva://auth?code=6 panel-1_TIME7", &leftOut), Request(six, "panel-1_TIME7"));
    EXPECT_FALSE(leftOut);
    EXPECT_EQ(SingleInstance::requestOf("zantiva://auth?code=6 a b", &leftOut), Request(six)) << "the id is all after the space";
    EXPECT_TRUE(leftOut);
    EXPECT_EQ(SingleInstance::requestOf(" panel-1_TIME7"), Request(std::nullopt, "panel-1_TIME7"));
    EXPECT_EQ(SingleInstance::requestOf(""), Request(std::nullopt));
    EXPECT_EQ(SingleInstance::requestOf("http://[::1 panel-1_TIME7"), std::nullopt);

    const QUrl spaced(QStringLiteral("zantiva://auth?code=a b"));
    EXPECT_EQ(SingleInstance::lineOf(Request(spaced, "panel-1_TIME7")), "zantiva://auth?code=a%20b panel-1_TIME7");
    EXPECT_EQ(SingleInstance::requestOf(SingleInstance::lineOf(Request(spaced, "panel-1_TIME7"))),
              Request(spaced, "panel-1_TIME7"));
    EXPECT_EQ(SingleInstance::lineOf(Request(spaced, "not an id")), "zantiva://auth?code=a%20b");
    const QUrl tooLong(QString::fromLatin1("zantiva://auth?code=" + QByteArray(SingleInstance::maxLineBytes, 'a')));
    EXPECT_EQ(SingleInstance::lineOf(Request(tooLong, "panel-1_TIME7")), " panel-1_TIME7");
}

TEST_F(SingleInstanceTest, TakesOverTheLockAndSocketOfAProcessThatDied) {
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // Running, then gone without any clean-up, as a crash leaves it.
        SingleInstance dying(openFolder());
        _exit(dying.start(std::nullopt) == Role::primary ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    SingleInstance next(openFolder());
    ASSERT_TRUE(QFileInfo::exists(next.socketPath())) << "the dead process's socket is still there";
    ASSERT_EQ(next.start(std::nullopt), Role::primary);
    std::vector<Request> received;
    next.setReceiver([&](const Request& request) { received.push_back(request); });
    EXPECT_EQ(launch(std::nullopt), Role::handedOver) << "the new socket answers";
    EXPECT_EQ(received.size(), 1u);
}

// A umask that takes the owner's own bits (0277, 0777) must leave neither a lock a later launch
// can't read, which would never be judged stale after a crash, nor a socket it can't connect to.
// Run as a user the file modes hold for (root passes over them).
TEST(SingleInstanceUmask, ALaunchAfterACrashUnderAUmaskThatTakesTheOwnersBitsTakesOver) {
    TemporaryFolder scratch;
    const std::filesystem::path data = scratch / "data";
    std::filesystem::create_directory(data);
    chmod(scratch.path().c_str(), 0755);
    chmod(data.c_str(), 0700);
    if (chown(data.c_str(), otherUser, otherUser) != 0) GTEST_SKIP() << "giving a folder to another user needs root";
    const auto answer = answerAsOtherUser([&] {
        umask(0777);
        const pid_t child = fork();
        if (child == 0) {
            SingleInstance dying(privateFolder(data).value());
            _exit(dying.start(std::nullopt) == Role::primary ? 0 : 1);
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return std::string("the first launch failed");
        SingleInstance next(privateFolder(data).value(), shortPatience);
        const Role role = next.start(std::nullopt);
        std::string modes;
        for (const QString& path : {next.lockPath(), next.socketPath()}) {
            struct stat info {};
            modes += " " + std::to_string(stat(path.toLocal8Bit().constData(), &info) == 0 ? info.st_mode & 0777 : 07777);
        }
        return (role == Role::primary ? "primary" : "not primary") + modes;
    });
    if (!answer) GTEST_SKIP() << "running as another user needs root";
    EXPECT_EQ(*answer, "primary 384 384") << "both 0600 (384)";
}

// A launch is refused, naming the holder, only while that lives on this machine and listens;
// one that doesn't listen, or runs on another machine sharing the folder, keeps no window shut.
TEST_F(SingleInstanceTest, ALiveHolderRefusesALaunchOnlyWhileItListens) {
    {
        const FileDescriptor held = holdLock("4242\nthat-container\n" + LockHolder::thisProcess().bootId + "\n");
        const FileDescriptor server = listenWithoutAnswering();
        SingleInstance refused(openFolder(), shortPatience);
        EXPECT_EQ(refused.start(QUrl(QStringLiteral("zantiva://auth?code=4"))), Role::unanswered);
        ASSERT_TRUE(refused.holder());
        EXPECT_EQ(refused.holder()->process, 4242);
        EXPECT_TRUE(refused.holder()->namedOtherHost());
    }
    {
        const FileDescriptor held = holdLock();
        SingleInstance alone(openFolder(), shortPatience);
        EXPECT_EQ(alone.start(std::nullopt), Role::primary) << "a holder that doesn't listen";
        EXPECT_EQ(launch(std::nullopt, shortPatience), Role::primary) << "and it didn't take the lock";
    }
    const FileDescriptor held = holdLock("4242\nother-machine\nanother-boot\n");
    const FileDescriptor server = listenWithoutAnswering();
    EXPECT_EQ(launch(std::nullopt, shortPatience), Role::primary);
}

// A left lock is taken over whatever it says: the flock tells whether its holder lives.
TEST_F(SingleInstanceTest, ALeftLockIsTakenOverWhateverItsRecordSays) {
    const std::string thisBoot = LockHolder::thisProcess().bootId;
    for (const std::string& record : {"4242\nthat-container\n" + thisBoot + "\n", std::string("4242\nanother-host\n\n"),
                                     std::string(), std::string("\x01garbage")}) {
        writeRaw(folder / lockName, record);
        ::chmod((folder / lockName).c_str(), 0);
        SingleInstance next(openFolder(), shortPatience);
        EXPECT_EQ(next.start(std::nullopt), Role::primary) << record;
        EXPECT_EQ(launch(std::nullopt, shortPatience), Role::handedOver) << "it took the lock and listens";
        EXPECT_EQ(LockHolder::fromRecord(readRaw(folder / lockName)).value().process, getpid());
    }
}

// What stands where the lock belongs and can't be taken (a link, another user's file)
// is left as it is, and the window runs alone.
TEST_F(SingleInstanceTest, ALockThatCannotBeTakenLeavesItAloneAndRunsWithoutHandOver) {
    const std::filesystem::path target = folder / "target";
    writeRaw(target, "someone's file");
    ::chmod(target.c_str(), 0644);
    std::filesystem::create_symlink(target, folder / lockName);
    EXPECT_EQ(launch(std::nullopt, shortPatience), Role::primary);
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0644)) << "the link's target was not changed";

    std::filesystem::remove(folder / lockName);
    writeRaw(folder / lockName, "");
    if (::chown((folder / lockName).c_str(), otherUser, otherUser) == 0) {
        EXPECT_EQ(launch(std::nullopt, shortPatience), Role::primary);
        EXPECT_EQ(readRaw(folder / lockName), "");
    }
}

TEST(SingleInstanceFullFolder, AFullRuntimeFolderStillHoldsTheLockAndHandsOver) {
    TemporaryFolder scratch;
    const FullDisk disk(scratch / "run");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small file system needs root";
    disk.fill();
    SingleInstance running(privateFolder(scratch / "run").value());
    ASSERT_EQ(running.start(std::nullopt), Role::primary);
    std::vector<Request> received;
    running.setReceiver([&](const Request& request) { received.push_back(request); });
    const QUrl link(QStringLiteral("zantiva://auth?code=12"));
    EXPECT_EQ(launchOnAThread([&] { return privateFolder(scratch / "run"); }, link), Role::handedOver);
    EXPECT_EQ(received, std::vector<Request>{link});
}

// A launch that gave up on a busy window said so: the window must not act on its line later.
TEST_F(SingleInstanceTest, ABusyWindowNeverActsOnALineItsLaunchGaveUpOn) {
    SingleInstance running(openFolder());
    ASSERT_EQ(running.start(std::nullopt), Role::primary);
    std::vector<Request> received;
    running.setReceiver([&](const Request& request) { received.push_back(request); });
    // This thread, the window's, serves no events until the launch has given up.
    Role role = Role::handedOver;
    const std::unique_ptr<QThread> gaveUp(
        QThread::create([&] { role = SingleInstance(openFolder(), shortPatience).start(QUrl(QStringLiteral("zantiva://auth?code=13"))); }));
    gaveUp->start();
    ASSERT_TRUE(gaveUp->wait(QDeadlineTimer(10s)));
    EXPECT_EQ(role, Role::unanswered);
    const QUrl later(QStringLiteral("zantiva://auth?code=14"));
    EXPECT_EQ(launch(later), Role::handedOver);
    EXPECT_EQ(received, std::vector<Request>{later});
}

TEST_F(SingleInstanceTest, QuittingLeavesNeitherLockNorSocket) {
    QString lock;
    {
        SingleInstance running(openFolder());
        ASSERT_EQ(running.start(std::nullopt), Role::primary);
        lock = running.lockPath();
        ASSERT_TRUE(std::filesystem::exists(folder / "zantiva-diagnostics.socket"));
    }
    EXPECT_FALSE(QFileInfo::exists(lock));
    EXPECT_FALSE(std::filesystem::exists(folder / "zantiva-diagnostics.socket"));
}

// A socket's address holds 108 bytes: a folder deeper than that (a long home path) still
// hands over.
TEST_F(SingleInstanceTest, AFolderPathLongerThanASocketAddressStillHandsOver) {
    const std::filesystem::path deep = folder / std::string(120, 'd');
    std::filesystem::create_directory(deep);
    chmod(deep.c_str(), 0700);
    ASSERT_GT((deep / "zantiva-diagnostics.socket").string().size(), 108u);
    SingleInstance running(privateFolder(deep).value());
    ASSERT_EQ(running.start(std::nullopt), Role::primary);
    std::vector<Request> received;
    running.setReceiver([&](const Request& request) { received.push_back(request); });
    const QUrl link(QStringLiteral("zantiva://auth?code=6"));
    EXPECT_EQ(launchOnAThread([&] { return privateFolder(deep); }, link), Role::handedOver);
    EXPECT_EQ(received, std::vector<Request>{link});
}

// Held without a server, the lock would keep every later launch waiting in vain: the program
// that can't listen runs alone and lets the lock go.
TEST_F(SingleInstanceTest, AProgramThatCannotListenLetsTheLockGo) {
    // A folder in the socket's place, which no one removes.
    std::filesystem::create_directory(folder / "zantiva-diagnostics.socket");
    SingleInstance running(openFolder());
    ASSERT_EQ(running.start(std::nullopt), Role::primary);
    std::error_code error;
    EXPECT_TRUE(openFolder().lockFile(lockName, 0ms, error)) << error.message();
}

// Silent connections beyond the bound close the oldest, so the program neither runs out of
// descriptors (its server would then close for good) nor keeps a real launch waiting.
TEST_F(SingleInstanceTest, AFloodOfSilentConnectionsIsBoundedAndALaunchStillHandsOver) {
    SingleInstance running(openFolder());
    ASSERT_EQ(running.start(std::nullopt), Role::primary);
    std::vector<Request> received;
    running.setReceiver([&](const Request& request) { received.push_back(request); });
    const QUrl link(QStringLiteral("zantiva://auth?code=7"));
    const std::size_t flood = 4 * SingleInstance::maxHeldConnections;
    std::vector<std::unique_ptr<QLocalSocket>> silent;
    {
        // Room for the flood's own ends, the connections held and a launch; not for the whole
        // flood held.
        const NoFreeDescriptors few(int(flood + SingleInstance::maxHeldConnections) + 24);
        for (std::size_t i = 0; i < flood; ++i) {
            auto& client = silent.emplace_back(std::make_unique<QLocalSocket>());
            client->connectToServer(running.socketPath());
            ASSERT_TRUE(runUntil([&] { return client->state() != QLocalSocket::ConnectingState; }, 5s));
        }
        EXPECT_EQ(launch(link), Role::handedOver);
    }
    EXPECT_EQ(received, std::vector<Request>{link});
    EXPECT_TRUE(runUntil([&] { return silent.front()->state() == QLocalSocket::UnconnectedState; }, 5s))
        << "the oldest was closed to make room";
}

// An accept that fails (no descriptor left) makes Qt's server close and remove its socket:
// the program listens again.
TEST_F(SingleInstanceTest, ASocketClosedByAFailedAcceptListensAgain) {
    if (const auto why = NoFreeDescriptors::unavailable()) GTEST_SKIP() << *why;
    SingleInstance running(openFolder());
    ASSERT_EQ(running.start(std::nullopt), Role::primary);
    std::vector<Request> received;
    running.setReceiver([&](const Request& request) { received.push_back(request); });
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = running.socketPath().toUtf8();
    ASSERT_LT(std::size_t(path.size()), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    // Made while there are descriptors to be had; connected once there is none for the accept.
    const FileDescriptor client(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    {
        const NoFreeDescriptors none;
        ASSERT_EQ(::connect(client.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        // The failed accept closes the listening socket, and with it the connection waiting there.
        ASSERT_TRUE(runUntil([&] {
            pollfd closed{client.get(), POLLIN, 0};
            return ::poll(&closed, 1, 0) == 1;
        }, 5s));
    }
    const QUrl link(QStringLiteral("zantiva://auth?code=8"));
    EXPECT_EQ(launch(link), Role::handedOver);
    EXPECT_EQ(received, std::vector<Request>{link});
}

// A running program that closes with the line unread (its server closed on an error, or it
// was quitting) never took the link: the launch isn't done, and once the lock is free it runs
// the link itself.
TEST_F(SingleInstanceTest, ALineTheRunningProgramNeverReadIsNoHandOver) {
    std::optional<FileDescriptor> holder(holdLock());
    std::optional<FileDescriptor> server(listenWithoutAnswering());

    Role role = Role::unanswered;
    const std::unique_ptr<QThread> later(QThread::create([&] {
        role = SingleInstance(openFolder()).start(QUrl(QStringLiteral("zantiva://auth?code=11")));
    }));
    later->start();
    pollfd waiting{server->get(), POLLIN, 0};
    ASSERT_EQ(::poll(&waiting, 1, 5000), 1) << "the launch connects";
    std::optional<FileDescriptor> connection(FileDescriptor(::accept4(server->get(), nullptr, nullptr, SOCK_CLOEXEC)));
    pollfd line{connection->get(), POLLIN, 0};
    ASSERT_EQ(::poll(&line, 1, 5000), 1) << "and writes its line";
    connection.reset(); // closed with the line unread
    server.reset();
    holder.reset();
    ASSERT_TRUE(later->wait(QDeadlineTimer(10s)));
    EXPECT_EQ(role, Role::primary);
}

// The lock lives in the user's runtime folder, never in the home: launches from the desktop and
// after su (without the variable, or with the caller's) meet there; another machine sharing the
// home has its own. Nothing is made in a folder that isn't the user's and private.
TEST(SingleInstanceFolder, EveryLaunchOnThisMachineMeetsInTheRuntimeFolderAndNoneInTheHome) {
    TemporaryFolder scratch;
    const std::filesystem::path sessions = scratch / "run-user";
    const std::filesystem::path own = sessions / std::to_string(geteuid());
    std::filesystem::create_directories(own);
    chmod(own.c_str(), 0700);
    const EnvironmentChange data("XDG_DATA_HOME", (scratch / "data").string());

    std::unique_ptr<SingleInstance> running;
    {
        const EnvironmentChange runtime("XDG_RUNTIME_DIR", own.string());
        running = std::make_unique<SingleInstance>(SingleInstance::defaultFolder(sessions).value());
    }
    ASSERT_EQ(running->start(std::nullopt), Role::primary);
    EXPECT_TRUE(std::filesystem::exists(own / lockName));
    EXPECT_FALSE(std::filesystem::exists(scratch / "data")) << "nothing in the home";
    std::vector<Request> received;
    running->setReceiver([&](const Request& request) { received.push_back(request); });
    // The environment is changed here, before the launch's thread reads it.
    const auto launchWith = [&](const std::optional<std::string>& runtime, const QUrl& link) {
        const EnvironmentChange change("XDG_RUNTIME_DIR", runtime);
        return launchOnAThread([&] { return SingleInstance::defaultFolder(sessions); }, link);
    };
    const QUrl withoutRuntime(QStringLiteral("zantiva://auth?code=5"));
    const QUrl openRuntime(QStringLiteral("zantiva://auth?code=9"));
    EXPECT_EQ(launchWith(std::nullopt, withoutRuntime), Role::handedOver);
    std::filesystem::create_directory(scratch / "open-run");
    chmod((scratch / "open-run").c_str(), 0755);
    EXPECT_EQ(launchWith((scratch / "open-run").string(), openRuntime), Role::handedOver);
    EXPECT_EQ(received, (std::vector<Request>{withoutRuntime, openRuntime}));
    EXPECT_TRUE(std::filesystem::is_empty(scratch / "open-run"));

    std::filesystem::create_directory(scratch / "other-machine");
    chmod((scratch / "other-machine").c_str(), 0700);
    EXPECT_EQ(launchWith((scratch / "other-machine").string(), openRuntime), Role::primary)
        << "another machine on the same home runs its own window";

    const std::filesystem::path shared = sharedTemporaryIn(scratch.path());
    if (const auto why = asOtherUser({"mkdir", "-m", "0700", (shared / "their-run").string()})) GTEST_SKIP() << *why;
    const QUrl theirRuntime(QStringLiteral("zantiva://auth?code=10"));
    EXPECT_EQ(launchWith((shared / "their-run").string(), theirRuntime), Role::handedOver)
        << "su keeps the caller's folder, which is not this user's";
    EXPECT_EQ(received, (std::vector<Request>{withoutRuntime, openRuntime, theirRuntime}));
}

// Without a session's folder the per-user temporary folder serves, unless another user made it.
TEST(SingleInstanceFolder, WithoutASessionTheTemporaryFolderServesUnlessAnotherUserMadeIt) {
    TemporaryFolder scratch;
    const std::filesystem::path shared = sharedTemporaryIn(scratch.path());
    const EnvironmentChange temporary("TMPDIR", shared.string());
    const EnvironmentChange runtime("XDG_RUNTIME_DIR", std::nullopt);
    const std::filesystem::path perUser = shared / ("zantiva-diagnostics-" + std::to_string(getuid()));
    EXPECT_EQ(SingleInstance::defaultFolder(scratch / "no-sessions").value().path(), perUser);
    std::filesystem::remove(perUser);

    if (const auto why = asOtherUser({"mkdir", "-m", "0777", perUser.string()})) GTEST_SKIP() << *why;
    EXPECT_FALSE(SingleInstance::defaultFolder(scratch / "no-sessions"));
    EXPECT_TRUE(std::filesystem::is_empty(perUser)) << "nothing is made in the other user's folder";
    EXPECT_EQ(freshFoldersBeside(perUser), std::vector<std::filesystem::path>{});
}

} // namespace
