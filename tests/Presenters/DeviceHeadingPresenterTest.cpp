#include <gtest/gtest.h>

#include "Localization/Loc.h"
#include "Presenters/DashboardPresenter.h"
#include "Presenters/DeviceHeadingPresenter.h"

using namespace zantiva;

TEST(DeviceHeadingPresenter, GradeDotTakesTheGradesTone) {
    const Loc loc(AppLanguage::english);
    const struct {
        std::optional<DeviceGrade> grade;
        std::string letter;
        PaletteColor fill;
    } cases[] = {
        {DeviceGrade::s, "S", PaletteColor::secondary}, {DeviceGrade::a, "A", PaletteColor::secondary},
        {DeviceGrade::b, "B", PaletteColor::tertiary},  {DeviceGrade::c, "C", PaletteColor::tertiary},
        {DeviceGrade::d, "D", PaletteColor::primary},   {DeviceGrade::e, "E", PaletteColor::primary},
        {DeviceGrade::f, "F", PaletteColor::primary},   {std::nullopt, "\u2014", PaletteColor::muted},
    };
    for (const auto& c : cases) {
        const auto dot = DeviceHeadingPresenter::gradeDot(c.grade, loc);
        EXPECT_EQ(dot.letter, c.letter);
        EXPECT_EQ(dot.fill, c.fill) << c.letter;
    }
}

TEST(DeviceHeadingPresenter, CaptionKeepsOnlyWhatIsKnown) {
    const auto specs = [](std::string maker, std::string system) {
        SystemSpecs s;
        s.manufacturer = std::move(maker);
        s.operatingSystem = std::move(system);
        return std::optional(s);
    };
    EXPECT_EQ(DeviceHeadingPresenter::caption(specs("Framework", "Debian GNU/Linux 12")),
              "Framework  \u00B7  Debian GNU/Linux 12");
    EXPECT_EQ(DeviceHeadingPresenter::caption(specs("Framework", SystemSpecs::unknown)), "Framework");
    EXPECT_EQ(DeviceHeadingPresenter::caption(specs(SystemSpecs::unknown, "")), "");
    EXPECT_EQ(DeviceHeadingPresenter::caption(std::nullopt), " ");
}

TEST(DeviceHeadingPresenter, AModelTheSystemDidntGiveReadsAsTheCardsSayIt) {
    const Loc loc(AppLanguage::persian);
    SystemSpecs specs;
    specs.model = SystemSpecs::unknown;
    EXPECT_EQ(DeviceHeadingPresenter::present({.specs = specs}, loc).name, loc["Dashboard.NotReported"]);
    specs.model = "";
    EXPECT_EQ(DeviceHeadingPresenter::present({.specs = specs}, loc).name, loc["Dashboard.NotReported"]);
    specs.model = "Laptop (13th Gen Intel Core)";
    EXPECT_EQ(DeviceHeadingPresenter::present({.specs = specs}, loc).name, "Laptop (13th Gen Intel Core)");
}

TEST(DeviceHeadingPresenter, DotOnlyOnceResultsExist) {
    const Loc loc(AppLanguage::english);
    auto view = DeviceHeadingPresenter::present({.hasResults = false, .grade = DeviceGrade::a}, loc);
    EXPECT_FALSE(view.gradeDot);
    EXPECT_EQ(view.name, "\u2014");
    view = DeviceHeadingPresenter::present({.hasResults = true}, loc);
    ASSERT_TRUE(view.gradeDot);
    EXPECT_EQ(view.gradeDot->fill, PaletteColor::muted);
}

TEST(DashboardPresenter, ResumeCardCountsTheStepsAndTheFooterNamesTheVersion) {
    BenchmarkSession session;
    session.plannedSteps = std::vector<TestModule>(8, TestModule::cpuBenchmark);
    session.completedSteps = std::vector<TestModule>(3, TestModule::cpuBenchmark);
    const Loc english(AppLanguage::english);
    const auto view = DashboardPresenter::present({.resumable = session, .runningVersion = "1.2.3"}, english);
    ASSERT_TRUE(view.resume);
    EXPECT_EQ(view.resume->body, english.f("Dashboard.Resume.Body", 3, 8));
    EXPECT_EQ(view.footer, english.f("Update.CurrentVersion", "1.2.3"));
    EXPECT_FALSE(view.update);
}
