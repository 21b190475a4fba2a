// The program's object graph as the composition root builds it, in a temporary data folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>

#include <QThreadPool>

#include "../Support/AwaitTask.h"
#include "../Support/EnvironmentChange.h"
#include "../Support/OtherUser.h"
#include "../Support/SampleSpecs.h"
#include "../Support/TemporaryFolder.h"
#include "App/SingleInstance.h"
#include "Model/AppPaths.h"
#include "Shell/CompositionRoot.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

// XDG_DATA_HOME points at a fresh folder for the test's duration.
class CompositionRoot : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* previous = std::getenv("XDG_DATA_HOME")) previous_ = previous;
        setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    }
    void TearDown() override {
        if (previous_)
            setenv("XDG_DATA_HOME", previous_->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }

    TemporaryFolder data;
    const std::filesystem::path appFolder = data / std::string(AppPaths::folderName);

private:
    std::optional<std::string> previous_;
};

TEST_F(CompositionRoot, FirstLaunchStartsInPersianSignedOutWithNothingStored) {
    const auto model = buildAppModel();
    EXPECT_EQ(model->loc().language(), AppLanguage::persian);
    EXPECT_EQ(&model->loc(), &Loc::shared());
    EXPECT_EQ(model->session().activeSite(), SiteDirectory::production().persian);
    EXPECT_FALSE(model->session().isAuthenticated());
    EXPECT_EQ(model->report(), FinalBenchmarkReport{.completedAt = model->report().completedAt});
    EXPECT_FALSE(model->hasResults());
    EXPECT_FALSE(model->specs());
    EXPECT_FALSE(model->storage().result());
    EXPECT_EQ(model->screen(), AppScreen::dashboard);
    EXPECT_FALSE(model->telemetry().isRunning()) << "nothing starts before start-up";
    EXPECT_FALSE(model->telemetry().sampler());
    EXPECT_EQ(model->store().directory(), appFolder);
    EXPECT_EQ(model->updateChecker().currentVersion, AppVersion::current());
}

TEST_F(CompositionRoot, LoadsTheSavedLanguageReportAndStorageResult) {
    AppSettingsStore(appFolder).setLanguage(AppLanguage::english);
    const FinalBenchmarkReport saved{.specs = sampleLaptopSpecs(), .audioPassed = true};
    ResultStore(appFolder).saveReport(saved);
    const StorageBenchmarkResult storage{.targetFolder = "/home/sara", .durationSeconds = 41};
    ResultStore(appFolder).saveStorageResult(storage);

    const auto model = buildAppModel();
    EXPECT_EQ(Loc::shared().language(), AppLanguage::english);
    EXPECT_EQ(model->session().activeSite(), SiteDirectory::production().english);
    EXPECT_EQ(model->report(), ResultStore(appFolder).loadReport());
    EXPECT_TRUE(model->report().audioPassed);
    EXPECT_TRUE(model->hasResults()) << "before the specs are read";
    EXPECT_EQ(model->storage().result(), ResultStore(appFolder).loadStorageResult());
    ASSERT_TRUE(model->storage().result());
    EXPECT_EQ(model->storage().result()->targetFolder, "/home/sara");
}

// Started as root without a runtime folder (sudo, su), with another user's link in place of
// the disk images' folder: the start-up clears nothing there, says why it refused the
// folder, the single-instance folder is not the other user's either, and the fresh folder
// that served instead is gone when the program ends.
TEST_F(CompositionRoot, AnotherUsersLinkInPlaceOfTheImagesFolderLosesNothingAtStart) {
    TemporaryFolder scratch;
    const std::filesystem::path victim = scratch / "victim";
    std::filesystem::create_directory(victim);
    writeRaw(victim / "passwd", "root:x:0:0\n");
    const std::filesystem::path shared = sharedTemporaryIn(scratch.path());
    const std::filesystem::path perUser = shared / ("zantiva-diagnostics-" + std::to_string(getuid()));
    if (const auto why = asOtherUser({"mkdir", "-m", "0755", perUser.string()})) GTEST_SKIP() << *why;
    if (const auto why = asOtherUser({"ln", "-s", victim.string(), (perUser / "images").string()})) GTEST_SKIP() << *why;
    const EnvironmentChange temporary("TMPDIR", shared.string());
    const EnvironmentChange runtime("XDG_RUNTIME_DIR", std::nullopt);
    const EnvironmentChange cache("XDG_CACHE_HOME", (scratch / "cache").string());

    // What the start-up says goes to standard error as well as the system log.
    const int savedError = dup(STDERR_FILENO);
    const int said = open((scratch / "said").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(said, STDERR_FILENO);
    {
        const auto model = buildAppModel();
        awaitTask(model->external().installations().discover());
        const auto instanceFolder = SingleInstance::defaultFolder();
        EXPECT_TRUE(!instanceFolder || instanceFolder->path() != perUser);
    }
    QThreadPool::globalInstance()->waitForDone(); // the start-up's sweep has ended
    dup2(savedError, STDERR_FILENO);
    close(said);
    close(savedError);

    EXPECT_TRUE(std::filesystem::exists(victim / "passwd"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(victim), {}), 1);
    std::ifstream saidFile(scratch / "said");
    const std::string text{std::istreambuf_iterator<char>(saidFile), {}};
    EXPECT_NE(text.find("refused " + perUser.string() + ": a folder owned by user 65534"), std::string::npos) << text;
    EXPECT_EQ(freshFoldersBeside(perUser), std::vector<std::filesystem::path>{});
}

} // namespace
