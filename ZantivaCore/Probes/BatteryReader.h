#pragma once

#include "Model/BatteryHealthResult.h"
#include "Probes/BatteryAttributes.h"
#include "Probes/BatteryChargeLimit.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

// The built-in battery from /sys/class/power_supply: the first supply of type Battery
// that belongs to the system (scope not "Device", so not a wireless mouse) and is present.
// Never throws: a machine without one gives the empty result, and one whose supplies
// couldn't be listed the empty result with that listing's error.
namespace BatteryReader {

// Capacities, health, charge, discharge rate and cycles; no issues.
BatteryHealthResult read(const ProbeRoot& root = {});

// The charge limit configured for that same battery, if any.
BatteryChargeLimit chargeLimit(const ProbeRoot& root = {});

// One battery's attributes as a result: charges in µAh give mAh directly, energies in µWh
// are converted with the design minimum voltage. A cycle count of 0 means unknown and
// stays 0. Plugged in comes from the mains or USB supplies, which the battery folder
// does not tell.
BatteryHealthResult parse(const BatteryAttributes& battery, bool isPluggedIn);

// Replaces the issues with the message keys of the rules that hold. A battery resting at
// its configured charge limit while plugged in is not "not charging".
void applyScoringRules(BatteryHealthResult& result, const BatteryChargeLimit& limit = {});

} // namespace BatteryReader

} // namespace zantiva
