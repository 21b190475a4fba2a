#pragma once

#include <functional>

namespace zantiva {

// Qt ends the process when its platform can't be opened (a display that isn't there, a
// platform it doesn't know): a fatal message that tells the user to reinstall, then abort.
// That can't be caught, and whether a display answers can't be known without opening it, so
// while this guard lives that fatal message runs `onFailure` instead, which says so in the
// program's own words, and the process exits with `status`. Other messages go where they went.
// It stands around the construction of the GUI application only, before anything needs undoing.
class DisplayFailure {
public:
    DisplayFailure(std::function<void()> onFailure, int status);
    ~DisplayFailure();
    DisplayFailure(const DisplayFailure&) = delete;
    DisplayFailure& operator=(const DisplayFailure&) = delete;
};

} // namespace zantiva
