// The header bar over a real app model: its order in Persian, the sign-in prompt, the
// language switch, and the account controls once signed in.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "../App/AppModelFixture.h"
#include "Charts/ZantivaLogo.h"
#include "Controls/LanguageSwitch.h"
#include "Controls/RetroButton.h"
#include "Dashboard/HeaderBar.h"
#include "Dashboard/HeaderBinding.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaRoot.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

class HeaderBarTest : public AppModelFixture {
protected:
    // The bar in a window that takes the interface's direction, as the main window does.
    HeaderBar& makeBar() {
        window = std::make_unique<QWidget>();
        applyZantivaRoot(*window, notifier);
        bar = new HeaderBar(window.get());
        bindHeader(*bar, model->session(), *model, notifier);
        window->resize(1100, HeaderBar::barHeight);
        bar->resize(window->size());
        window->show();
        QCoreApplication::processEvents();
        return *bar;
    }
    int x(const QWidget* widget) const { return widget->mapTo(bar, QPoint()).x(); }

    LocNotifier notifier{loc};
    std::unique_ptr<QWidget> window;
    HeaderBar* bar = nullptr;
};

TEST_F(HeaderBarTest, PersianKeepsTheOrderAndSpeaksPersian) {
    makeModel();
    makeBar();
    ASSERT_EQ(loc.language(), AppLanguage::persian);
    EXPECT_LT(x(bar->logo()), x(bar->caption()));
    EXPECT_LT(x(bar->caption()), x(bar->languageSwitch()));
    EXPECT_LT(x(bar->languageSwitch()), x(bar->signInButton()));
    EXPECT_EQ(bar->caption()->text(), "DIAGNOSTIC & BENCHMARK");
    EXPECT_EQ(bar->signInButton()->text(), "ورود");
    EXPECT_EQ(bar->languageSwitch()->toolTip().toStdString(), loc["Header.LanguageTip"]);
    EXPECT_FALSE(bar->refreshButton()->isVisible());
    EXPECT_FALSE(bar->signOutButton()->isVisible());

    QTest::mouseClick(bar->signInButton(), Qt::LeftButton);
    EXPECT_TRUE(model->account().isLoginPromptVisible());
    EXPECT_TRUE(opened.empty()) << "the prompt opens the browser, not the bar";

    QTest::mouseClick(bar->languageSwitch()->segment(AppLanguage::english), Qt::LeftButton);
    EXPECT_EQ(loc.language(), AppLanguage::english);
    EXPECT_EQ(bar->signInButton()->text(), "Sign In");
}

TEST_F(HeaderBarTest, SignedInShowsRefreshThenSignOut) {
    signedInEarlier(AppLanguage::persian);
    makeModel();
    awaitTask(model->session().ready());
    makeBar();
    EXPECT_FALSE(bar->signInButton()->isVisible());
    ASSERT_TRUE(bar->refreshButton()->isVisible());
    EXPECT_LT(x(bar->refreshButton()), x(bar->signOutButton()));
    EXPECT_TRUE(bar->refreshButton()->isEnabled());

    // A refresh runs in the background; the button waits for it to end.
    QTest::mouseClick(bar->refreshButton(), Qt::LeftButton);
    ASSERT_TRUE(model->isRefreshingAccount());
    EXPECT_FALSE(bar->refreshButton()->isEnabled());
    ASSERT_TRUE(runUntil([&] { return !model->isRefreshingAccount(); }));
    EXPECT_TRUE(bar->refreshButton()->isEnabled());

    QTest::mouseClick(bar->signOutButton(), Qt::LeftButton);
    EXPECT_TRUE(bar->signInButton()->isVisible());
    EXPECT_FALSE(bar->signOutButton()->isVisible());
}

} // namespace
