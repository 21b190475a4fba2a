#include <gtest/gtest.h>

#include "Localization/Loc.h"
#include "Presenters/HeaderPresenter.h"

using namespace zantiva;

TEST(HeaderPresenter, AccountControlsFollowTheSession) {
    const Loc english(AppLanguage::english);
    auto view = HeaderPresenter::present({.isSignedIn = false}, english);
    EXPECT_EQ(view.signInLabel, english["Header.SignIn"]);
    EXPECT_FALSE(view.account);

    view = HeaderPresenter::present({.isSignedIn = true, .isRefreshingAccount = true}, english);
    EXPECT_FALSE(view.signInLabel);
    ASSERT_TRUE(view.account);
    EXPECT_FALSE(view.account->canRefresh);
    EXPECT_EQ(view.account->signOutLabel, english["Header.SignOut"]);
    EXPECT_TRUE(HeaderPresenter::present({.isSignedIn = true}, english).account->canRefresh);
}

TEST(HeaderPresenter, PersianChangesTheWordsButNotTheCaption) {
    const auto english = HeaderPresenter::present({}, Loc(AppLanguage::english));
    const auto persian = HeaderPresenter::present({}, Loc(AppLanguage::persian));
    EXPECT_EQ(persian.language, AppLanguage::persian);
    EXPECT_EQ(persian.signInLabel, Loc::string("Header.SignIn", AppLanguage::persian));
    EXPECT_NE(persian.languageTip, english.languageTip);
    EXPECT_EQ(persian.caption, english.caption);
}
