// The desktop keyring through the Secret Service. scripts/with-services runs the tests in a
// private session bus with an unlocked gnome-keyring; without any session bus there is no
// keyring to test, and the test says so.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Account/KeychainTokenStore.h"
#include "Account/SessionManager.h"
#include "Account/StoredSession.h"

using namespace zantiva;

namespace {

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

    const QString service = "com.zantiva.diagnostics.test";
    const std::string account = "session-zantiva.ir";
    const std::string token = "keyring-test-token-" + std::to_string(std::rand());
    KeychainTokenStore store(service);
    store.remove(account);
    EXPECT_FALSE(store.read(account));

    const std::string secret = StoredSession{token, 7}.encode();
    store.write(account, secret);
    EXPECT_EQ(store.read(account), secret);
    // A second store over the same service sees the same item: it lives in the keyring.
    KeychainTokenStore other(service);
    SessionManager session(SiteDirectory::production().persian, other);
    EXPECT_TRUE(session.isAuthenticated());
    EXPECT_EQ(session.snapshot()->token, token);

    if (const char* home = std::getenv("HOME")) {
        EXPECT_FALSE(anyFileHolds(home, token)) << "the token reached a file";
    }

    EXPECT_TRUE(session.signOut());
    EXPECT_FALSE(store.read(account));
    store.remove(account); // removing what is gone is no failure
}

} // namespace
