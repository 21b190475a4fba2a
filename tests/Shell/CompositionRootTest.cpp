// The program's object graph as the composition root builds it, in a temporary data folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "../Support/SampleSpecs.h"
#include "../Support/TemporaryFolder.h"
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

} // namespace
