// One program per user: the lock, the hand-over of links over the local socket, its bounds,
// and taking over from a process that died.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QLocalSocket>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
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
#include "../Support/NoFreeDescriptors.h"
#include "../Support/OtherUser.h"
#include "../Support/TemporaryFolder.h"
#include "App/SingleInstance.h"
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

TEST_F(SingleInstanceTest, ALockHolderThatNeverAnswersIsReportedNotPassedOff) {
    SingleInstance probe(openFolder());
    QLockFile holder(probe.lockPath());
    ASSERT_TRUE(holder.tryLock(0));
    EXPECT_EQ(launch(QUrl(QStringLiteral("zantiva://auth?code=4")), shortPatience), Role::unanswered);
}

TEST_F(SingleInstanceTest, ALockLeftUnwrittenIsTakenOverAndAnotherHostsIsLeftAlone) {
    SingleInstance probe(openFolder());
    const QByteArray lockPath = QFile::encodeName(probe.lockPath());
    const auto ageAnHour = [&] {
        const timespec anHourAgo[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, lockPath.constData(), anHourAgo, 0), 0);
    };
    const auto leave = [&](const QByteArray& contents) {
        QFile left(probe.lockPath());
        ASSERT_TRUE(left.open(QIODevice::WriteOnly));
        left.write(contents);
        left.close();
        ageAnHour();
    };
    {
        // An old lock that a live program still holds is left alone.
        QLockFile holder(probe.lockPath());
        ASSERT_TRUE(holder.tryLock(0));
        ageAnHour();
        EXPECT_EQ(launch(std::nullopt, shortPatience), Role::unanswered);
    }
    // Another host's holder may be alive where its flock can't be seen (a network home).
    leave("4242\nzantiva-diagnostics\nanother-host\n");
    EXPECT_EQ(launch(std::nullopt, shortPatience), Role::unanswered);
    // A window killed before it wrote its lock: Qt never counts that as stale.
    leave(QByteArray());
    SingleInstance next(openFolder(), shortPatience);
    EXPECT_EQ(next.start(std::nullopt), Role::primary);
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
    QLockFile later(running.lockPath());
    EXPECT_TRUE(later.tryLock(0));
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
    SingleInstance probe(openFolder());
    QLockFile holder(probe.lockPath());
    ASSERT_TRUE(holder.tryLock(0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = probe.socketPath().toUtf8();
    ASSERT_LT(std::size_t(path.size()), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    std::optional<FileDescriptor> server(FileDescriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)));
    ASSERT_EQ(::bind(server->get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(server->get(), 4), 0);

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
    holder.unlock();
    ASSERT_TRUE(later->wait(QDeadlineTimer(10s)));
    EXPECT_EQ(role, Role::primary);
}

TEST(SingleInstanceFolder, TheDataFolderMadeWhenMissingAndClosedToOthers) {
    TemporaryFolder scratch;
    const EnvironmentChange data("XDG_DATA_HOME", (scratch / "data").string());
    const std::filesystem::path expected = scratch / "data" / "ZantivaDiagnostics";
    const auto mode = [&] {
        struct stat info {};
        EXPECT_EQ(lstat(expected.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, getuid());
        return info.st_mode & 0777;
    };
    ASSERT_EQ(SingleInstance::defaultFolder().value().path(), expected);
    EXPECT_EQ(mode(), 0700u);

    // One left open to others (by hand, say) is closed again.
    chmod(expected.c_str(), 0755);
    ASSERT_EQ(SingleInstance::defaultFolder().value().path(), expected);
    EXPECT_EQ(mode(), 0700u);

    // A link in its place is refused, and what it names left alone.
    std::filesystem::remove(expected);
    std::filesystem::create_directory(scratch / "elsewhere");
    std::filesystem::create_directory_symlink(scratch / "elsewhere", expected);
    EXPECT_FALSE(SingleInstance::defaultFolder());
    EXPECT_TRUE(std::filesystem::is_empty(scratch / "elsewhere"));
}

// The lock guards the stores: a launch from the desktop, with the session's runtime folder,
// and one from a terminal without it (after su, say), or with a folder of another user's,
// find the same lock, so a sign-in link reaches the window that waits for it. Nothing is
// made in a folder another user can reach.
TEST(SingleInstanceFolder, NoFolderAnotherUserCanReachIsUsedAndEveryLaunchFindsTheSameOne) {
    TemporaryFolder scratch;
    const std::filesystem::path shared = sharedTemporaryIn(scratch.path());
    const EnvironmentChange temporary("TMPDIR", shared.string());
    const EnvironmentChange data("XDG_DATA_HOME", (scratch / "data").string());
    const std::filesystem::path perUser = shared / ("zantiva-diagnostics-" + std::to_string(getuid()));
    std::filesystem::create_directory(scratch / "run");
    chmod((scratch / "run").c_str(), 0700);

    std::unique_ptr<SingleInstance> running;
    {
        const EnvironmentChange runtime("XDG_RUNTIME_DIR", (scratch / "run").string());
        auto folder = SingleInstance::defaultFolder();
        ASSERT_TRUE(folder);
        running = std::make_unique<SingleInstance>(std::move(*folder));
    }
    ASSERT_EQ(running->start(std::nullopt), Role::primary);
    std::vector<Request> received;
    running->setReceiver([&](const Request& request) { received.push_back(request); });
    // The environment is changed here, before the launch's thread reads it.
    const auto launchWith = [](const std::optional<std::string>& runtime, const QUrl& link) {
        const EnvironmentChange change("XDG_RUNTIME_DIR", runtime);
        return launchOnAThread([] { return SingleInstance::defaultFolder(); }, link);
    };
    const QUrl withoutRuntime(QStringLiteral("zantiva://auth?code=5"));
    const QUrl openRuntime(QStringLiteral("zantiva://auth?code=9"));
    EXPECT_EQ(launchWith(std::nullopt, withoutRuntime), Role::handedOver);
    std::filesystem::create_directory(scratch / "open-run");
    chmod((scratch / "open-run").c_str(), 0755);
    EXPECT_EQ(launchWith((scratch / "open-run").string(), openRuntime), Role::handedOver);
    EXPECT_EQ(received, (std::vector<Request>{withoutRuntime, openRuntime}));
    EXPECT_TRUE(std::filesystem::is_empty(scratch / "run")) << "nothing is made in the session's folder";

    if (const auto why = asOtherUser({"mkdir", "-m", "0777", (shared / "their-run").string()})) GTEST_SKIP() << *why;
    if (const auto why = asOtherUser({"mkdir", "-m", "0777", perUser.string()})) GTEST_SKIP() << *why;
    const QUrl theirRuntime(QStringLiteral("zantiva://auth?code=10"));
    EXPECT_EQ(launchWith((shared / "their-run").string(), theirRuntime), Role::handedOver);
    EXPECT_EQ(received, (std::vector<Request>{withoutRuntime, openRuntime, theirRuntime}));
    EXPECT_TRUE(std::filesystem::is_empty(shared / "their-run"));
    EXPECT_TRUE(std::filesystem::is_empty(perUser)) << "nothing is made in the other user's folder";
    EXPECT_EQ(freshFoldersBeside(perUser), std::vector<std::filesystem::path>{});
}

} // namespace
