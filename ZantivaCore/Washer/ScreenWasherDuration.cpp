#include "Washer/ScreenWasherDuration.h"

namespace zantiva {
namespace {

struct DurationText {
    std::optional<double> seconds;
    std::string_view label;
    std::string_view summary;
};

DurationText textOf(ScreenWasherDuration duration) {
    switch (duration) {
    case ScreenWasherDuration::quickClean: return {300, "Washer.Quick", "Washer.Summary.Quick"};
    case ScreenWasherDuration::standard: return {900, "Washer.Standard", "Washer.Summary.Standard"};
    case ScreenWasherDuration::deepCycle: return {1800, "Washer.Deep", "Washer.Summary.Deep"};
    case ScreenWasherDuration::manual: return {std::nullopt, "Washer.Infinite", "Washer.Summary.Manual"};
    }
    return {};
}

} // namespace

std::optional<double> seconds(ScreenWasherDuration duration) { return textOf(duration).seconds; }
std::string_view labelKey(ScreenWasherDuration duration) { return textOf(duration).label; }
std::string_view summaryKey(ScreenWasherDuration duration) { return textOf(duration).summary; }

} // namespace zantiva
