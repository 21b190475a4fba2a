#pragma once

// Runs the outside tools as child processes and turns what they print into scores. The
// tools' arguments and output grammar are in docs/outside-tools.md.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

#include <QCoro/QCoroTask>

#include "External/ExternalBenchmarkInstallation.h"
#include "External/ExternalBenchmarkProgress.h"
#include "External/ExternalProcessRunning.h"
#include "External/GeekbenchRunOutcome.h"
#include "Model/ExternalBenchmarkStep.h"

namespace zantiva {

struct ExternalBenchmarkService {
    using ProgressHandler = std::function<void(const ExternalBenchmarkProgress&)>;
    using ConsoleHandler = std::function<void(const std::string&)>;

    std::shared_ptr<ExternalProcessRunning> launcher;
    // How long Geekbench may take to upload once it says it is uploading.
    std::chrono::milliseconds uploadTimeout = std::chrono::seconds(180);
    std::vector<std::string> cinebenchExtraArguments;

    // Runs Geekbench's tool with "--cpu" or "--gpu". Every output line goes to `console`,
    // progress to `progress` (both on the calling thread). Gives the printed scores or,
    // when only an upload address was printed, that address. Throws
    // ExternalBenchmarkError, or CancellationError after a stop request (the tool's whole
    // process group is killed).
    QCoro::Task<GeekbenchRunOutcome> runGeekbench(ExternalBenchmarkInstallation installation,
                                                  std::filesystem::path executable, bool gpu, ProgressHandler progress,
                                                  ConsoleHandler console, std::stop_token stop = {}) const;

    // Runs the Cinebench console program for one test and gives its score; throws likewise.
    QCoro::Task<double> runCinebench(ExternalBenchmarkInstallation installation, std::filesystem::path executable,
                                     ExternalTestKind kind, ProgressHandler progress, ConsoleHandler console,
                                     std::stop_token stop = {}) const;
};

} // namespace zantiva
