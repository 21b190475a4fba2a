#pragma once

#include <QCoro/QCoroTask>
#include <functional>

#include "Localization/AppLanguage.h"

class QObject;

namespace zantiva {

// What the header asks of the account: the refresh it shows, the language switch, the
// sign-in prompt, a refresh and sign-out.
class AccountControls {
public:
    virtual bool isRefreshingAccount() const = 0;
    // Calls changed after each start and end of a refresh, for as long as context lives.
    virtual void watchRefreshingAccount(const QObject* context, std::function<void()> changed) const = 0;
    virtual void setLanguage(AppLanguage language) = 0;
    virtual void setLoginPromptVisible(bool visible) = 0;
    virtual QCoro::Task<> refreshAccount() = 0;
    virtual void signOut() = 0;

protected:
    ~AccountControls() = default;
};

} // namespace zantiva
