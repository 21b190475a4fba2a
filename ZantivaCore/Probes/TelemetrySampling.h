#pragma once

#include "Model/SensorSnapshot.h"

namespace zantiva {

// A source of sensor snapshots. sample() may block briefly and is called from
// background threads; an implementation serves concurrent callers safely.
class TelemetrySampling {
public:
    virtual ~TelemetrySampling() = default;
    virtual SensorSnapshot sample() = 0;
};

} // namespace zantiva
