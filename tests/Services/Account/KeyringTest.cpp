// The desktop keyring through the Secret Service. scripts/with-services runs the tests in a
// private session bus with an unlocked gnome-keyring; without any session bus there is no
// keyring to test, and the test says so. A keyring that never answers is played on a
// session bus of its own, in a child process of this program.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

#include "../../Support/AwaitTask.h"
#include "../../Support/EnvironmentChange.h"
#include "../../Support/OtherUser.h"
#include "../../Support/TemporaryFolder.h"
#include "Account/KeychainTokenStore.h"
#include "Account/SessionManager.h"
#include "Account/StoredSession.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

const QString testService = "com.zantiva.diagnostics.test";
constexpr const char* silentBusVariable = "ZANTIVA_SILENT_SECRET_SERVICE";

// Whether any file under the folder holds the text.
bool anyFileHolds(const std::filesystem::path& folder, const std::string& text) {
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        std::ifstream file(it->path(), std::ios::binary);
        const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (content.find(text) != std::string::npos) return true;
    }
    return false;
}

TEST(Keyring, StoresReadsAndDeletesASessionToken) {
    if (!std::getenv("DBUS_SESSION_BUS_ADDRESS")) GTEST_SKIP() << "no session bus: run under scripts/with-services";

    const std::string account = "session-zantiva.ir";
    const std::string token = "keyring-test-token-" + std::to_string(std::rand());
    KeychainTokenStore store(testService);
    awaitTask(store.remove(account));
    EXPECT_FALSE(awaitTask(store.read(account)));

    const std::string secret = StoredSession{token, 7}.encode();
    awaitTask(store.write(account, secret));
    EXPECT_EQ(awaitTask(store.read(account)), secret);
    // A second store over the same service sees the same item: it lives in the keyring.
    KeychainTokenStore other(testService);
    SessionManager session(SiteDirectory::production().persian, other);
    awaitTask(session.ready());
    EXPECT_TRUE(session.isAuthenticated());
    EXPECT_EQ(session.snapshot()->token, token);

    if (const char* home = std::getenv("HOME")) {
        EXPECT_FALSE(anyFileHolds(home, token)) << "the token reached a file";
    }

    EXPECT_TRUE(session.signOut());
    // The keyring runs its calls in the order they came, so this read follows the removal.
    EXPECT_FALSE(awaitTask(store.read(account)));
    awaitTask(store.remove(account)); // removing what is gone is no failure
}

// Root with a user's HOME and no runtime folder (a sudoers that keeps HOME): asking the keyring
// would have GLib make a ~/.cache of root's there as it looks for the session bus. The keyring
// is left alone instead, each call failing as a refusing keyring's does: the session starts
// signed out, and a sign-in lasts the run.
TEST(Keyring, IsNotAskedInAnotherUsersHome) {
    TemporaryFolder scratch;
    const std::filesystem::path home = scratch / "home";
    std::filesystem::create_directory(home);
    if (::chown(home.c_str(), otherUser, otherUser) != 0) GTEST_SKIP() << "a home of another user's needs root";
    const EnvironmentChange homeVariable("HOME", home.string());
    const EnvironmentChange runtime("XDG_RUNTIME_DIR", std::nullopt);
    const EnvironmentChange cache("XDG_CACHE_HOME", std::nullopt);
    const EnvironmentChange bus("DBUS_SESSION_BUS_ADDRESS", std::nullopt);

    KeychainTokenStore store(testService);
    try {
        awaitTask(store.read("session-zantiva.ir"));
        ADD_FAILURE() << "the read answered";
    } catch (const KeychainError& error) {
        EXPECT_STREQ(error.what(), "keyring read of session-zantiva.ir failed: not asked, as the home folder belongs "
                                   "to user 65534");
    }
    EXPECT_THROW(awaitTask(store.write("session-zantiva.ir", "secret")), KeychainError);
    EXPECT_THROW(awaitTask(store.remove("session-zantiva.ir")), KeychainError);
    EXPECT_TRUE(std::filesystem::is_empty(home));
}

// A Secret Service that takes every call and answers none, like a locked keyring whose
// unlock prompt nobody sees. Told to answer, it refuses what it holds and all that follows.
class SilentSecretService final : public QDBusVirtualObject {
public:
    explicit SilentSecretService(QDBusConnection bus) : bus_(std::move(bus)) {}

    bool start() {
        return bus_.registerVirtualObject("/org/freedesktop/secrets", this, QDBusConnection::SubPath) &&
               bus_.registerService("org.freedesktop.secrets");
    }
    std::size_t heldCalls() const { return held_.size() + refused_; }
    void answer() {
        answering_ = true;
        for (const QDBusMessage& call : std::exchange(held_, {})) refuse(call);
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& call, const QDBusConnection&) override {
        if (answering_) refuse(call);
        else held_.push_back(call);
        return true;
    }

private:
    void refuse(const QDBusMessage& call) {
        bus_.send(call.createErrorReply(QDBusError::AccessDenied, "the keyring is locked"));
        ++refused_;
    }

    QDBusConnection bus_;
    std::vector<QDBusMessage> held_;
    std::size_t refused_ = 0;
    bool answering_ = false;
};

// The child's part, on a session bus whose Secret Service is the silent one.
TEST(KeyringChildProcess, NeverAnswers) {
    if (!std::getenv(silentBusVariable)) GTEST_SKIP() << "runs only as the child of the silent keyring test";
    SilentSecretService service(QDBusConnection::sessionBus());
    ASSERT_TRUE(service.start());
    // Nothing will answer: a short limit is waited out as surely as the standard one.
    KeychainTokenStore store(testService, std::chrono::milliseconds(300));

    SessionManager session(SiteDirectory::production().persian, store);
    EXPECT_FALSE(session.isAuthenticated());
    awaitTask(session.ready());
    EXPECT_FALSE(session.isAuthenticated());
    EXPECT_GT(service.heldCalls(), 0u) << "the keyring was never asked";
    // A write gives up after the same limit, and says so.
    const auto write = awaitOutcome(store.write("session-zantiva.ir", "secret"));
    ASSERT_TRUE(write.error);
    try {
        std::rethrow_exception(write.error);
    } catch (const KeychainError& error) {
        EXPECT_NE(std::string(error.what()).find("no answer within 0.3 s"), std::string::npos) << error.what();
    }

    // The late answer to the abandoned call reaches nothing freed; the keyring then takes
    // the next call, which it refuses.
    service.answer();
    const auto next = awaitOutcome(store.read("session-zantiva.ir"));
    ASSERT_TRUE(next.error);
    EXPECT_THROW(std::rethrow_exception(next.error), KeychainError);
}

TEST(Keyring, AKeyringThatNeverAnswersLeavesTheSessionSignedOut) {
    const QString dbusRunSession = QStandardPaths::findExecutable("dbus-run-session");
    if (dbusRunSession.isEmpty()) GTEST_SKIP() << "dbus-run-session is not installed";
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(silentBusVariable, "1");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(dbusRunSession, {"--", QCoreApplication::applicationFilePath(),
                                 "--gtest_filter=KeyringChildProcess.NeverAnswers"});
    ASSERT_TRUE(child.waitForFinished(60'000));
    const std::string output = child.readAll().toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

} // namespace
