#pragma once

#include <string>

namespace zantiva {

class Loc;

// The display station's page: what the test does, and the button that starts it, which is
// disabled (with a note that the test is on screen) while the test shows.
struct DisplayStationView {
    std::string body;
    std::string start;
    bool canStart = true;
    std::string running; // empty unless the test shows

    bool operator==(const DisplayStationView&) const = default;
};

namespace DisplayStationPresenter {

DisplayStationView present(bool testShowing, const Loc& loc);

} // namespace DisplayStationPresenter
} // namespace zantiva
