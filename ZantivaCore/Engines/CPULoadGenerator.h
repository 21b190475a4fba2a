#pragma once

#include "Platform/CancelToken.h"

// Holds every online processor under full load for a while, with the CPU benchmark's
// prime counting as busy work.
namespace zantiva::CPULoadGenerator {

// Blocks for about seconds (a negative or not-a-number duration counts as 0, a huge one
// is clamped) and returns once every load thread has ended; sooner, within one chunk of
// work per thread, when cancel is set. Never throws for a cancellation.
void run(double seconds, const CancelToken& cancel);

} // namespace zantiva::CPULoadGenerator
