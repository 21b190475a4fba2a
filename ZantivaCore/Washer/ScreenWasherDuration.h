#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "Model/RawValues.h"

namespace zantiva {

// How long a washer run lasts; a manual run lasts until the user stops it.
enum class ScreenWasherDuration { quickClean, standard, deepCycle, manual };

template <> struct RawValues<ScreenWasherDuration> {
    static constexpr std::array<std::pair<ScreenWasherDuration, std::string_view>, 4> table{{
        {ScreenWasherDuration::quickClean, "quickClean"},
        {ScreenWasherDuration::standard, "standard"},
        {ScreenWasherDuration::deepCycle, "deepCycle"},
        {ScreenWasherDuration::manual, "manual"},
    }};
};

// The run's length in seconds; none for a manual run.
std::optional<double> seconds(ScreenWasherDuration duration);
std::string_view labelKey(ScreenWasherDuration duration);
std::string_view summaryKey(ScreenWasherDuration duration);

} // namespace zantiva
