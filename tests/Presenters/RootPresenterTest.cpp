#include <gtest/gtest.h>

#include "Localization/Loc.h"
#include "Presenters/RootPresenter.h"

using namespace zantiva;

TEST(RootPresenter, OneOverlayAtMostAndTheErrorFirst) {
    const Loc english(AppLanguage::english);
    RootState state{.screen = AppScreen::external,
                    .isLoginPromptVisible = true,
                    .siteDomain = "zantiva.com",
                    .isWasherSetupVisible = true};
    auto view = RootPresenter::present(state, english);
    EXPECT_EQ(view.screen, AppScreen::external);
    EXPECT_FALSE(view.status);
    const auto* login = std::get_if<LoginPromptView>(&view.overlay);
    ASSERT_TRUE(login);
    EXPECT_EQ(login->domain, "zantiva.com");
    EXPECT_EQ(login->signInLabel, english["Login.Button"]);
    state.isSigningIn = true;
    EXPECT_EQ(std::get<LoginPromptView>(RootPresenter::present(state, english).overlay).signInLabel,
              english["Login.Waiting"]);

    state.unexpectedError = "the sensor bus went away";
    view = RootPresenter::present(state, english);
    const auto* error = std::get_if<ErrorNoticeView>(&view.overlay);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->body, english.f("App.UnexpectedError.Body", "the sensor bus went away"));
    EXPECT_EQ(error->continueLabel, english["Common.Continue"]);

    state = {.screen = AppScreen::suite, .isWasherSetupVisible = true};
    EXPECT_TRUE(std::holds_alternative<WasherSetupOverlay>(RootPresenter::present(state, english).overlay));
    state = {.screen = AppScreen::suite};
    EXPECT_EQ(RootPresenter::present(state, english), (RootContentView{.screen = AppScreen::suite}));
}

TEST(RootPresenter, StatusLineHoldsAServerTextOfAnyLengthToItsLimit) {
    const Loc persian(AppLanguage::persian);
    const std::string chatty(5000, 'x');
    const auto view = RootPresenter::present({.status = LocalizedMessage("Net.Rejected", chatty)}, persian);
    ASSERT_TRUE(view.status);
    const std::string shown = std::string(RootPresenter::statusArgumentLimit, 'x') + "\u2026";
    EXPECT_EQ(*view.status, Loc::format("Net.Rejected", AppLanguage::persian, {shown}));

    const std::string fits(RootPresenter::statusArgumentLimit, 'y');
    EXPECT_EQ(RootPresenter::present({.status = LocalizedMessage("Net.Rejected", fits)}, persian).status,
              Loc::format("Net.Rejected", AppLanguage::persian, {fits}));
}

// Each file's line stands on a line of its own, before the news of the moment.
TEST(RootPresenter, TheBannersStandBeforeTheStatusOneALine) {
    const Loc english(AppLanguage::english);
    const RootState state{.status = LocalizedMessage("Main.CsvMissing"),
                          .banners = {LocalizedMessage("NotSaved.Report.DiskFull"),
                                      LocalizedMessage("NotSaved.Settings.DiskFull")}};
    EXPECT_EQ(RootPresenter::present(state, english).status,
              english["NotSaved.Report.DiskFull"] + "\n" + english["NotSaved.Settings.DiskFull"] + "\n" +
                  english["Main.CsvMissing"]);
    EXPECT_EQ(RootPresenter::present({.banners = {LocalizedMessage("NotSaved.Report.DiskFull")}}, english).status,
              english["NotSaved.Report.DiskFull"]);
}

TEST(RootPresenter, ABackdropClickRightAfterActivationIsTheActivatingClick) {
    using namespace std::chrono_literals;
    const RootPresenter::Clock::time_point activated{100s};
    EXPECT_TRUE(RootPresenter::backdropClickCloses(std::nullopt, activated));
    EXPECT_FALSE(RootPresenter::backdropClickCloses(activated, activated + 80ms));
    EXPECT_FALSE(RootPresenter::backdropClickCloses(activated, activated + 499ms));
    EXPECT_TRUE(RootPresenter::backdropClickCloses(activated, activated + 500ms));
    EXPECT_TRUE(RootPresenter::backdropClickCloses(activated, activated + 3s));
}
