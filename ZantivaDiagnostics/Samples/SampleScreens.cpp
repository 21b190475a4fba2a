#include "Samples/SampleScreens.h"

#include "Samples/ResultSamples.h"

namespace zantiva {

std::span<const SampleScreen> sampleScreens() {
    static const SampleScreen screens[] = {
        {"results", {1440, 1640}, ResultSamples::resultScreen},
        {"drive-health", {900, 560}, ResultSamples::driveHealthCard},
        {"storage-running", {1440, 900}, ResultSamples::storageRunning},
        {"storage", {1440, 900}, ResultSamples::storageResult},
        {"storage-failed", {1440, 900}, ResultSamples::storageFailed},
    };
    return screens;
}

} // namespace zantiva
