// One program per user: the lock, the hand-over of links over the local socket, its bounds,
// and taking over from a process that died.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../Support/AwaitTask.h"
#include "../Support/EnvironmentChange.h"
#include "../Support/OtherUser.h"
#include "../Support/TemporaryFolder.h"
#include "App/SingleInstance.h"

using namespace zantiva;
using namespace zantiva::testing;
using Role = SingleInstance::Role;
using Request = SingleInstance::Request;
using namespace std::chrono_literals;

namespace {

// For the tests that wait a silence out: long enough for a line sent at once to arrive.
constexpr auto shortPatience = 300ms;

class SingleInstanceTest : public ::testing::Test {
protected:
    QString folderPath() const { return QString::fromStdString(folder.path().string()); }

    // A later launch, on a thread of its own: it blocks while this thread's event loop lets
    // the running instance answer.
    Role launch(const Request& request, std::chrono::milliseconds patience = SingleInstance::defaultPatience) {
        Role role = Role::unanswered;
        const std::unique_ptr<QThread> thread(
            QThread::create([&] { role = SingleInstance(folderPath(), patience).start(request); }));
        thread->start();
        EXPECT_TRUE(runUntil([&] { return thread->isFinished(); }));
        thread->wait();
        return role;
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
    SingleInstance running(folderPath());
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
    SingleInstance running(folderPath(), shortPatience);
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
        SingleInstance dying(folderPath());
        _exit(dying.start(std::nullopt) == Role::primary ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    SingleInstance next(folderPath());
    ASSERT_TRUE(QFileInfo::exists(next.socketPath())) << "the dead process's socket is still there";
    ASSERT_EQ(next.start(std::nullopt), Role::primary);
    std::vector<Request> received;
    next.setReceiver([&](const Request& request) { received.push_back(request); });
    EXPECT_EQ(launch(std::nullopt), Role::handedOver) << "the new socket answers";
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(SingleInstanceTest, ALockHolderThatNeverAnswersIsReportedNotPassedOff) {
    SingleInstance probe(folderPath());
    QLockFile holder(probe.lockPath());
    ASSERT_TRUE(holder.tryLock(0));
    EXPECT_EQ(launch(QUrl(QStringLiteral("zantiva://auth?code=4")), shortPatience), Role::unanswered);
}

TEST_F(SingleInstanceTest, QuittingLeavesNeitherLockNorSocket) {
    QString lock, socket;
    {
        SingleInstance running(folderPath());
        ASSERT_EQ(running.start(std::nullopt), Role::primary);
        lock = running.lockPath();
        socket = running.socketPath();
    }
    EXPECT_FALSE(QFileInfo::exists(lock));
    EXPECT_FALSE(QFileInfo::exists(socket));
}

TEST(SingleInstanceFolder, WithoutARuntimeFolderAPrivateOneInTheCacheFolder) {
    TemporaryFolder scratch;
    const EnvironmentChange cache("XDG_CACHE_HOME", (scratch / "cache").string());
    const EnvironmentChange runtime("XDG_RUNTIME_DIR", "relative/run");
    const std::filesystem::path expected = scratch / "cache" / "ZantivaDiagnostics";
    ASSERT_EQ(SingleInstance::defaultFolder(), QString::fromStdString(expected.string()));

    // One left open to others (by hand, say) is closed again.
    chmod(expected.c_str(), 0755);
    ASSERT_EQ(SingleInstance::defaultFolder(), QString::fromStdString(expected.string()));
    struct stat info {};
    ASSERT_EQ(lstat(expected.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, getuid());
}

// Whoever could write in the folder could take the lock and the socket, and with them the
// sign-in links: a runtime folder open to others, or another user's, is passed over. The
// fallback is the same for every launch, whatever another user made in the temporary
// folder, so that a sign-in link reaches the waiting window.
TEST(SingleInstanceFolder, NoFolderAnotherUserCanReachIsUsedAndEveryLaunchFindsTheSameOne) {
    TemporaryFolder scratch;
    const std::filesystem::path shared = sharedTemporaryIn(scratch.path());
    const EnvironmentChange temporary("TMPDIR", shared.string());
    const EnvironmentChange cache("XDG_CACHE_HOME", (scratch / "cache").string());
    const std::string fallback = (scratch / "cache" / "ZantivaDiagnostics").string();
    const std::filesystem::path perUser = shared / ("zantiva-diagnostics-" + std::to_string(getuid()));
    const auto folderWith = [](const std::optional<std::string>& runtime) {
        const EnvironmentChange change("XDG_RUNTIME_DIR", runtime);
        return SingleInstance::defaultFolder().value_or(QString()).toStdString();
    };

    std::filesystem::create_directory(scratch / "open-run");
    chmod((scratch / "open-run").c_str(), 0755);
    EXPECT_EQ(folderWith((scratch / "open-run").string()), fallback);
    struct stat info {};
    ASSERT_EQ(lstat((scratch / "open-run").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u) << "the session's folder is left as it is";

    if (const auto why = asOtherUser({"mkdir", "-m", "0700", (shared / "their-run").string()})) GTEST_SKIP() << *why;
    EXPECT_EQ(folderWith((shared / "their-run").string()), fallback);

    if (const auto why = asOtherUser({"mkdir", "-m", "0777", perUser.string()})) GTEST_SKIP() << *why;
    const EnvironmentChange noRuntime("XDG_RUNTIME_DIR", std::nullopt);
    SingleInstance running(QString::fromStdString(folderWith(std::nullopt)));
    ASSERT_EQ(running.start(std::nullopt), Role::primary);
    std::vector<Request> received;
    running.setReceiver([&](const Request& request) { received.push_back(request); });
    const QUrl link(QStringLiteral("zantiva://auth?code=5"));
    Role role = Role::unanswered;
    const std::unique_ptr<QThread> later(QThread::create([&] {
        if (const auto folder = SingleInstance::defaultFolder()) role = SingleInstance(*folder).start(link);
    }));
    later->start();
    EXPECT_TRUE(runUntil([&] { return later->isFinished(); }));
    later->wait();
    EXPECT_EQ(role, Role::handedOver);
    EXPECT_EQ(received, std::vector<Request>{link});
    EXPECT_TRUE(std::filesystem::is_empty(perUser)) << "nothing is made in the other user's folder";
    EXPECT_EQ(freshFoldersBeside(perUser), std::vector<std::filesystem::path>{});
}

} // namespace
