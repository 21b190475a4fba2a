#pragma once

#include <string>

#include "Model/TestModule.h"

namespace zantiva {

class Loc;

// The page of an interactive check that this version cannot run yet: a note and the one
// button that ends the module without a check.
struct UnavailableCheckView {
    std::string note;
    std::string skip;

    bool operator==(const UnavailableCheckView&) const = default;
};

namespace UnavailableCheckPresenter {

// The speaker and input checks end only with a verdict, which then says "not passed"; their
// button says so. The display and microphone-and-camera checks end as skipped or bypassed.
UnavailableCheckView present(TestModule module, const Loc& loc);

} // namespace UnavailableCheckPresenter
} // namespace zantiva
