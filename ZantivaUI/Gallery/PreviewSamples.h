#pragma once

#include "Model/SensorSnapshot.h"
#include "Model/SystemSpecs.h"

// Complete, plausible records for previews of the design system; nothing in the program reads
// them. Built anew on each call.
namespace zantiva::PreviewSamples {

SystemSpecs systemSpecs();
SensorSnapshot sensorSnapshot();

} // namespace zantiva::PreviewSamples
