#pragma once

#include "External/ExternalProcessRunning.h"

namespace zantiva {

// Runs a tool through QProcess in a process group of its own (standard input on
// /dev/null), so that stopping it also ends every process it started. When the tool
// ends, whatever it left running in its group is killed too.
class ProcessLauncher final : public ExternalProcessRunning {
public:
    QCoro::Task<ProcessExit> run(ProcessRequest request, LineHandler onLine, std::stop_token stop) override;
};

} // namespace zantiva
