#pragma once

#include <optional>
#include <string>

#include "Localization/AppLanguage.h"

namespace zantiva {

class Loc;

// What the header bar is shown from, besides the language.
struct HeaderState {
    bool isSignedIn = false;
    bool isRefreshingAccount = false;
};

// The header bar: the brand caption, the language switch and the account controls, which
// are either the sign-in button or the refresh and sign-out buttons.
struct HeaderView {
    struct Account {
        std::string refreshTip;
        bool canRefresh = true;
        std::string signOutLabel;

        bool operator==(const Account&) const = default;
    };

    std::string caption;
    AppLanguage language = AppLanguage::persian;
    std::string languageTip;
    std::optional<std::string> signInLabel; // signed out
    std::optional<Account> account;         // signed in

    bool operator==(const HeaderView&) const = default;
};

namespace HeaderPresenter {

// The brand's caption reads the same in every language: it is not looked up.
inline constexpr const char* caption = "DIAGNOSTIC & BENCHMARK";

HeaderView present(const HeaderState& state, const Loc& loc);

} // namespace HeaderPresenter
} // namespace zantiva
