#include "Model/AppPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#include "../../Support/TemporaryFolder.h"

namespace fs = std::filesystem;
using zantiva::testing::TemporaryFolder;
namespace AppPaths = zantiva::AppPaths;

namespace {

// Sets or clears an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(AppPaths, DataHomeWinsOnlyWhenAbsoluteAndThereIsNeverARelativeFolder) {
    EXPECT_EQ(AppPaths::applicationSupport("/data", "/home/u"), fs::path("/data/ZantivaDiagnostics"));
    EXPECT_EQ(AppPaths::applicationSupport("", "/home/u"), fs::path("/home/u/.local/share/ZantivaDiagnostics"));
    EXPECT_EQ(AppPaths::applicationSupport("data", "/home/u"), fs::path("/home/u/.local/share/ZantivaDiagnostics"));
    EXPECT_EQ(AppPaths::applicationSupport("", ""), std::nullopt);
    EXPECT_EQ(AppPaths::applicationSupport("data", "home/u"), std::nullopt);
}

TEST(AppPaths, ReadsTheEnvironmentAnewAndCreatesNothing) {
    TemporaryFolder folder;
    {
        ScopedEnvironment data("XDG_DATA_HOME", (folder / "data").c_str());
        EXPECT_EQ(AppPaths::applicationSupport(), folder / "data" / "ZantivaDiagnostics");
    }
    {
        ScopedEnvironment data("XDG_DATA_HOME", nullptr);
        ScopedEnvironment home("HOME", folder.path().c_str());
        EXPECT_EQ(AppPaths::applicationSupport(), folder / ".local" / "share" / "ZantivaDiagnostics");
    }
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

// Root with another user's HOME (sudo -E) runs as without a home folder.
TEST(AppPaths, AHomeOfAnotherUserHoldsNoAppFolder) {
    TemporaryFolder folder;
    const fs::path home = folder / "home";
    fs::create_directory(home);
    if (::chown(home.c_str(), 65534, 65534) != 0) GTEST_SKIP() << "chown needs root";
    ScopedEnvironment homeVariable("HOME", home.c_str());
    ScopedEnvironment data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(AppPaths::applicationSupport(), std::nullopt);
    EXPECT_EQ(AppPaths::othersHomeOwner(), uid_t(65534));
}
