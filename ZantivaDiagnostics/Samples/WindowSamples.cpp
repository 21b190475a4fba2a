#include "Samples/WindowSamples.h"

#include "Account/SiteProfile.h"
#include "Dashboard/HeaderBar.h"
#include "LocalizedViews/LocNotifier.h"
#include "Presenters/HeaderPresenter.h"
#include "Results/ResultScreen.h"
#include "Samples/DashboardSamples.h"
#include "Samples/ResultSamples.h"

namespace zantiva::WindowSamples {

std::unique_ptr<RootView> window(LocNotifier& loc, RootState state, bool signedIn) {
    auto root = std::make_unique<RootView>(loc);
    showDashboardSample(*root->dashboard(), *root->externalCard(), loc);
    RootView* shown = root.get();
    loc.bind(shown, [shown, state = std::move(state), signedIn, &loc]() mutable {
        // The account's site follows the language, as the app's does.
        state.siteDomain = SiteDirectory::production().forLanguage(loc.language()).domain;
        shown->header()->show(HeaderPresenter::present({.isSignedIn = signedIn}, loc.loc()));
        shown->show(RootPresenter::present(state, loc.loc()));
    });
    return root;
}

std::unique_ptr<QWidget> dashboard(LocNotifier& loc) { return window(loc, {}, false); }

namespace {

std::unique_ptr<QWidget> resultsWithStatus(LocNotifier& loc, LocalizedMessage status) {
    auto root = window(loc, {.screen = AppScreen::result, .status = std::move(status)}, true);
    ResultScreen* screen = root->resultScreen();
    loc.bind(screen, [screen, &loc] { screen->show(ResultPresenter::present(ResultSamples::resultState(), loc.loc())); });
    return root;
}

} // namespace

std::unique_ptr<QWidget> results(LocNotifier& loc) {
    return resultsWithStatus(loc, LocalizedMessage("Auth.SignedInOtherSite", "zantiva.com"));
}

std::unique_ptr<QWidget> resultsNotSaved(LocNotifier& loc) {
    return resultsWithStatus(loc, LocalizedMessage("NotSaved.Report.DiskFull"));
}

std::unique_ptr<QWidget> signIn(LocNotifier& loc) {
    return window(loc,
                  {.status = LocalizedMessage("Login.ContinueInBrowser"),
                   .isLoginPromptVisible = true,
                   .isSigningIn = true},
                  false);
}

std::unique_ptr<QWidget> error(LocNotifier& loc) {
    std::string reason = "std::filesystem::filesystem_error: cannot open /sys/class/hwmon/hwmon4/temp1_input:";
    for (int i = 0; i < 60; ++i)
        reason += " hwmon" + std::to_string(i) + ": Device or resource busy [/sys/devices/platform/coretemp." +
                  std::to_string(i) + "/hwmon]";
    return window(loc, {.unexpectedError = reason}, false);
}

} // namespace zantiva::WindowSamples
