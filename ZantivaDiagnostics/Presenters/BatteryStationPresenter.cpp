#include "Presenters/BatteryStationPresenter.h"

#include "Localization/Loc.h"
#include "Presenters/StationNumbers.h"

namespace zantiva::BatteryStationPresenter {

BatteryStationView present(const BatteryStationState& state, const Loc& loc) {
    if (state.reading && state.reading->listingError)
        return {.headline = loc.f("Battery.Unread", *state.reading->listingError), .metrics = {}, .footnote = {}};
    if (!state.reading || !state.reading->batteryPresent)
        return {.headline = loc["Battery.NoBattery"], .metrics = {}, .footnote = loc["Battery.NotScored"]};
    const BatteryHealthResult& r = *state.reading;
    using StationNumbers::reading;
    return {
        .headline = loc["Battery.Sampling"],
        .metrics =
            {
                {loc["Battery.Health"], reading("{0:0.0}%", r.healthPercent), PaletteColor::text},
                {loc["Battery.Discharge"], reading("{0:0.0} W", r.dischargeRateWatts), PaletteColor::text},
                {loc.f("Battery.ChargePercent", r.currentChargePercent), std::to_string(r.cycleCount), PaletteColor::text},
            },
        .footnote = loc.f("Battery.Capacity", r.fullChargeCapacityMah, r.designCapacityMah),
    };
}

} // namespace zantiva::BatteryStationPresenter
