#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>

#include "Platform/CancelToken.h"
#include "Engines/StorageBenchmarkConfiguration.h"
#include "Model/StorageBenchmarkProgress.h"
#include "Model/StorageBenchmarkResult.h"
#include "Model/StorageTestProfile.h"
#include "Platform/ProcessActivity.h"

namespace zantiva {

// Measures how fast the drive holding a folder reads and writes: a temporary file of
// random data, uncached, then sequential 1 MiB requests with 8 in flight and random 4 KiB
// requests with 32 and with 1 in flight, each read and then written, keeping the best of
// several runs per test.
class StorageBenchmarkEngine {
public:
    struct Test {
        StorageTestProfile profile;
        bool isWrite;
    };
    // Each profile in order, reading and then writing.
    static constexpr std::array<Test, 6> tests = [] {
        std::array<Test, 6> list{};
        std::size_t i = 0;
        for (const StorageTestProfile profile : allCases<StorageTestProfile>()) {
            list[i++] = {profile, false};
            list[i++] = {profile, true};
        }
        return list;
    }();

    // Called on the engine thread with the report, the measured run in progress (1-based;
    // 0 while preparing or settling) and whether the drive is settling.
    using Progress = std::function<void(const StorageBenchmarkProgress& progress, int run, bool settling)>;

    explicit StorageBenchmarkEngine(StorageBenchmarkConfiguration configuration = StorageBenchmarkConfiguration::standard(),
                                    std::shared_ptr<ProcessActivity> activity = noProcessActivity());

    const StorageBenchmarkConfiguration& configuration() const { return configuration_; }

    // Blocks until the run ends on its own engine thread. Throws StorageBenchmarkFailure,
    // CancellationError once `cancel` is set, or std::invalid_argument for a configuration
    // the engine can't run. The test file is gone on every exit.
    StorageBenchmarkResult run(const std::filesystem::path& folder, const Progress& progress,
                               const CancelToken& cancel) const;

private:
    StorageBenchmarkResult execute(const std::filesystem::path& folder, const Progress& progress,
                                   const CancelToken& cancel) const;

    StorageBenchmarkConfiguration configuration_;
    std::shared_ptr<ProcessActivity> activity_;
};

} // namespace zantiva
