#pragma once

#include <functional>

namespace zantiva {

// The main screen under the header. The runners switch to theirs when a run starts.
enum class AppScreen { dashboard, suite, result, storage, external };

// How a screen's "back" or "go to" reaches the one that shows the screens.
using ScreenSwitch = std::function<void(AppScreen)>;

} // namespace zantiva
