#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "Model/DeviceGrade.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/RawValues.h"

namespace zantiva {

// Which part of the machine a health component judges, in the order components are listed.
enum class HealthComponentKind { display, keyboard, audio, micCamera, battery, memory, drives, cpuIntegrity };

template <> struct RawValues<HealthComponentKind> {
    static constexpr std::array<std::pair<HealthComponentKind, std::string_view>, 8> table{{
        {HealthComponentKind::display, "display"},
        {HealthComponentKind::keyboard, "keyboard"},
        {HealthComponentKind::audio, "audio"},
        {HealthComponentKind::micCamera, "micCamera"},
        {HealthComponentKind::battery, "battery"},
        {HealthComponentKind::memory, "memory"},
        {HealthComponentKind::drives, "drives"},
        {HealthComponentKind::cpuIntegrity, "cpuIntegrity"},
    }};
};

// The health of a machine judged from one report, and the merge of a new run's report over
// the stored one. Pure: no files, no clock, no threads.
struct BenchmarkScoring {
    BenchmarkScoring() = delete;

    struct HealthComponent {
        using Kind = HealthComponentKind;
        Kind kind = Kind::display;
        double score = 0; // 0 to 100, higher is healthier

        bool operator==(const HealthComponent&) const = default;
    };

    // One component per part the report holds, in the order of HealthComponentKind.
    static std::vector<HealthComponent> healthComponents(const FinalBenchmarkReport& report);
    // The mean of the components to one decimal; absent without components.
    static std::optional<double> healthScore(const FinalBenchmarkReport& report);
    // The grade of the health score after the battery penalty; absent without a score.
    static std::optional<DeviceGrade> deviceGrade(const FinalBenchmarkReport& report);
    // The new run's report laid over the stored one: each part the new run lacks is kept
    // from before, and so are the drives and the battery when the new run couldn't list
    // them (listingError); the overall score is recomputed from the result.
    static FinalBenchmarkReport merge(const std::optional<FinalBenchmarkReport>& previous,
                                      FinalBenchmarkReport latest);
    // A part whose list (of drives, of power supplies) couldn't be read is unknown: the earlier
    // reading of it still holds, where there is one, rather than "none there".
    template <typename T> static void keepPreviousOverUnknown(std::optional<T>& field, const std::optional<T>& previous) {
        if (!field || (previous && field->listingError)) field = previous;
    }
    // Removes a CPU result of another scoring version and recomputes the overall score;
    // true when it removed one.
    static bool dropIncompatibleResults(FinalBenchmarkReport& report);
};

} // namespace zantiva
