#include "Dashboard/HeaderBinding.h"

#include "Account/SessionManager.h"
#include "Feeds/AccountControls.h"
#include "Dashboard/HeaderBar.h"
#include "LocalizedViews/LocNotifier.h"
#include "Bridge/DetachedTask.h"

namespace zantiva {

void bindHeader(HeaderBar& bar, const SessionManager& session, AccountControls& account, LocNotifier& loc) {
    const auto refresh = [&bar, &session, &account, &loc] {
        bar.show(HeaderPresenter::present(
            {.isSignedIn = session.isAuthenticated(), .isRefreshingAccount = account.isRefreshingAccount()},
            loc.loc()));
    };
    QObject::connect(&loc, &LocNotifier::languageChanged, &bar, refresh);
    QObject::connect(&session, &SessionManager::isAuthenticatedChanged, &bar, refresh);
    account.watchRefreshingAccount(&bar, refresh);
    refresh();

    QObject::connect(&bar, &HeaderBar::languageSelected, &bar, [&account](AppLanguage l) { account.setLanguage(l); });
    QObject::connect(&bar, &HeaderBar::signInRequested, &bar, [&account] { account.setLoginPromptVisible(true); });
    QObject::connect(&bar, &HeaderBar::refreshRequested, &bar, [&account] { detach(account.refreshAccount()); });
    QObject::connect(&bar, &HeaderBar::signOutRequested, &bar, [&account] { account.signOut(); });
}

} // namespace zantiva
