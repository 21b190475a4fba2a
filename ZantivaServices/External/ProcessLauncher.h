#pragma once

#include <filesystem>

#include "External/ExternalProcessRunning.h"

namespace zantiva {

// Runs a tool through QProcess under the tool guard (ToolGuard/GuardProtocol.h), with
// standard input on /dev/null. The guard runs the tool in a process group of its own and
// is its subreaper, so that stopping the run, the tool's own end and this program's death
// all end every process the tool started, one that left the group or session included.
class ProcessLauncher final : public ExternalProcessRunning {
public:
    // `guard`: the tool guard's program.
    explicit ProcessLauncher(std::filesystem::path guard = installedGuard());

    // The tool guard installed beside the running program.
    static std::filesystem::path installedGuard();

    QCoro::Task<ProcessExit> run(ProcessRequest request, LineHandler onLine, std::stop_token stop) override;

private:
    std::filesystem::path guard_;
};

} // namespace zantiva
