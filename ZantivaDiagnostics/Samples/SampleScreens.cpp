#include "Samples/SampleScreens.h"

#include <vector>

#include "Samples/DashboardSamples.h"

namespace zantiva {

std::span<const SampleScreen> sampleScreens() {
    static const std::vector<SampleScreen> screens{
        {"dashboard", {1440, 900}, dashboardSample},
        {"header", {1440, 128}, headerSample},
    };
    return screens;
}

} // namespace zantiva
