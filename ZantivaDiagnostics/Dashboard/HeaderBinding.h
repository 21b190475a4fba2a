#pragma once

namespace zantiva {

class AccountControls;
class HeaderBar;
class LocNotifier;
class SessionManager;

// Shows the session's sign-in and the account's refresh on the bar from now on, in the
// current language, and hands the bar's requests to the account: a language switch, the
// sign-in prompt, an account refresh in the background, sign-out.
void bindHeader(HeaderBar& bar, const SessionManager& session, AccountControls& account, LocNotifier& loc);

} // namespace zantiva
