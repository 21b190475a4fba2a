#include "Shell/RootBinding.h"

#include "App/AppModel.h"
#include "Dashboard/DashboardScreen.h"
#include "Dashboard/HeaderBinding.h"
#include "ExternalScreens/ExternalCardBinding.h"
#include "ExternalScreens/ExternalRunBinding.h"
#include "LocalizedViews/LocNotifier.h"
#include "Results/ResultBinding.h"
#include "Results/StorageBinding.h"
#include "Shell/DashboardBinding.h"
#include "Shell/Navigation.h"
#include "Shell/RootView.h"
#include "Stations/SuiteScreenBinding.h"

namespace zantiva {
namespace {

RootState rootState(AppModel& model) {
    return {
        .screen = model.screen(),
        .status = model.status(),
        .banners = model.banners(),
        .unexpectedError = model.unexpectedError(),
        .isLoginPromptVisible = model.account().isLoginPromptVisible(),
        .isSigningIn = model.session().state() == AuthState::authenticating,
        .siteDomain = model.session().activeSite().domain,
        .isWasherSetupVisible = model.isWasherSetupVisible(),
    };
}

} // namespace

void bindRootView(RootView& view, AppModel& model, LocNotifier& loc, FolderChooser chooseFolder,
                  ExternalAppChooser chooseApp, WasherStart startWasher) {
    const auto goTo = [&model](AppScreen screen) { model.setScreen(screen); };
    bindNavigation(model);
    bindHeader(*view.header(), model.session(), model, loc);
    bindDashboard(*view.dashboard(), model, loc, std::move(chooseFolder));
    bindSuiteScreen(*view.suiteScreen(), model.suite(), model, loc);
    bindExternalCard(*view.externalCard(), model.external(), loc, std::move(chooseApp));
    bindExternalRunScreen(*view.externalScreen(), model.external(), model.telemetry(), loc, goTo);
    bindResultScreen(*view.resultScreen(), {model, model.suite(), model.storage(), model.external()}, loc, goTo);
    bindStorageScreen(*view.storageScreen(), model.storage(), loc, goTo);
    bindWasherSetup(*view.washerSetup(), model, loc, std::move(startWasher));

    const auto present = [&view, &model, &loc] { view.show(RootPresenter::present(rootState(model), loc.loc())); };
    for (const auto changed : {&AppModel::screenChanged, &AppModel::statusChanged, &AppModel::bannersChanged,
                               &AppModel::unexpectedErrorChanged,
                               &AppModel::isWasherSetupVisibleChanged})
        QObject::connect(&model, changed, &view, present);
    QObject::connect(&model.account(), &AccountModel::isLoginPromptVisibleChanged, &view, present);
    QObject::connect(&model.session(), &SessionManager::stateChanged, &view, present);
    QObject::connect(&model.session(), &SessionManager::activeSiteChanged, &view, present);
    loc.bind(&view, present);

    QObject::connect(&view, &RootView::continueRequested, &model, &AppModel::clearUnexpectedError);
    QObject::connect(&view, &RootView::signInPageRequested, &model.account(), &AccountModel::openSignInPage);
    QObject::connect(&view, &RootView::forgotPasswordRequested, &model.account(),
                     &AccountModel::openForgotPasswordPage);
    QObject::connect(&view, &RootView::loginDismissRequested, &model, [&model] {
        model.session().cancelSignIn();
        model.setLoginPromptVisible(false);
        model.setStatus(std::nullopt);
    });
}

} // namespace zantiva
