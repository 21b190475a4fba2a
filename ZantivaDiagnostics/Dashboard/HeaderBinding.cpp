#include "Dashboard/HeaderBinding.h"

#include "App/AppModel.h"
#include "Dashboard/HeaderBar.h"
#include "LocalizedViews/LocNotifier.h"
#include "Bridge/DetachedTask.h"

namespace zantiva {

void bindHeader(HeaderBar& bar, AppModel& model, LocNotifier& loc) {
    const auto refresh = [&bar, &model, &loc] {
        bar.show(HeaderPresenter::present(
            {.isSignedIn = model.session().isAuthenticated(), .isRefreshingAccount = model.isRefreshingAccount()},
            loc.loc()));
    };
    QObject::connect(&loc, &LocNotifier::languageChanged, &bar, refresh);
    QObject::connect(&model.session(), &SessionManager::isAuthenticatedChanged, &bar, refresh);
    QObject::connect(&model, &AppModel::isRefreshingAccountChanged, &bar, refresh);
    refresh();

    QObject::connect(&bar, &HeaderBar::languageSelected, &model, &AppModel::setLanguage);
    QObject::connect(&bar, &HeaderBar::signInRequested, &model, [&model] { model.setLoginPromptVisible(true); });
    QObject::connect(&bar, &HeaderBar::refreshRequested, &model, [&model] { detach(model.refreshAccount()); });
    QObject::connect(&bar, &HeaderBar::signOutRequested, &model, &AppModel::signOut);
}

} // namespace zantiva
