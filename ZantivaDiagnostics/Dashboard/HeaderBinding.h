#pragma once

namespace zantiva {

class AppModel;
class HeaderBar;
class LocNotifier;

// Shows the model's account state on the bar from now on, in the current language, and
// hands the bar's requests to the model: a language switch, the sign-in prompt, an account
// refresh in the background, sign-out.
void bindHeader(HeaderBar& bar, AppModel& model, LocNotifier& loc);

} // namespace zantiva
