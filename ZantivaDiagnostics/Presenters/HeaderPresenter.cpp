#include "Presenters/HeaderPresenter.h"

#include "Localization/Loc.h"

namespace zantiva::HeaderPresenter {

HeaderView present(const HeaderState& state, const Loc& loc) {
    HeaderView view{.caption = caption, .language = loc.language(), .languageTip = loc["Header.LanguageTip"]};
    if (state.isSignedIn)
        view.account = HeaderView::Account{.refreshTip = loc["Header.RefreshTip"],
                                           .canRefresh = !state.isRefreshingAccount,
                                           .signOutLabel = loc["Header.SignOut"]};
    else
        view.signInLabel = loc["Header.SignIn"];
    return view;
}

} // namespace zantiva::HeaderPresenter
