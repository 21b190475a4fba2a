#pragma once

#include <filesystem>
#include <memory>

#include "External/ProcessLauncher.h"
#include "PageReader/GeekbenchScoreReading.h"
#include "PageReader/PageReaderRequest.h"

namespace zantiva {

class Loc;

// Where the reader program is and how it reads.
struct PageReaderSettings {
    // The reader program installed beside the running one.
    static std::filesystem::path installedProgram();

    std::filesystem::path program = installedProgram();
    // The tool guard the program runs under, so that it ends with this one.
    std::filesystem::path guard = ProcessLauncher::installedGuard();
    // Only pages of this site are read; absent: the result browser.
    std::optional<std::string> site;
    GeekbenchPageTiming timing;
    // The program's start (the web engine's, on a loaded machine) on top of the reading's own
    // limits: past both, the program is killed.
    std::chrono::milliseconds startAllowance{60'000};
    // What the program and the web engine may hold while reading, in MiB.
    std::uint64_t memoryMiB = PageReaderRequest::defaultMemoryMiB;
    // The web engine's own diagnostics reach `onDiagnostic`, line by line; otherwise the
    // program keeps them off.
    bool verbose = false;
    std::function<void(std::string_view)> onDiagnostic;
};

// Reads result pages through the reader program, the one program of ours that carries the web
// engine: each read is one run of it in a process group of its own, which a stop (the user's,
// or the quit's) and the read's deadline kill whole. The program opens the window that asks a
// person itself. One read at a time (a second one gives no result at once).
class PageReaderProcess final : public GeekbenchScoreReading {
public:
    // Makes the reader of the result browser when the outside-benchmark runner first needs one.
    static std::function<std::unique_ptr<GeekbenchScoreReading>()> factory(const Loc& loc);

    explicit PageReaderProcess(const Loc& loc, PageReaderSettings settings = {});

    QCoro::Task<std::optional<ExternalBenchmarkResult>> read(QString address, bool isGPU, bool interactive,
                                                            std::function<void()> onNeedsUser,
                                                            std::stop_token stop) override;
    std::optional<std::string> lastFailure() const override { return *lastFailure_; }

private:
    const Loc& loc_;
    const PageReaderSettings settings_;
    ProcessLauncher launcher_;
    // Shared with the reads, which may still end after the reader went.
    const std::shared_ptr<bool> isReading_ = std::make_shared<bool>(false);
    const std::shared_ptr<std::optional<std::string>> lastFailure_ = std::make_shared<std::optional<std::string>>();
};

} // namespace zantiva
