#pragma once

// The seam through which the service runs a tool as a child process.

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include <QCoro/QCoroTask>

namespace zantiva {

struct ProcessRequest {
    std::filesystem::path program;
    std::vector<std::string> arguments;   // passed as they are, never through a shell
    // Takes, instead of the line handler, a last line without its line end from a program
    // that did not end by itself with status 0: output written into a pipe goes out in
    // blocks, so a crash or a stop may have cut that line at any byte. Empty: such a line
    // goes to the line handler like the others.
    std::function<void(std::string_view)> onCutLine;
    // Takes standard error's lines instead of the line handler, for a caller that must tell
    // what the program said from what it complained of. Empty: they go to the line handler.
    std::function<void(std::string_view)> onErrorLine;
};

// How the child ended.
struct ProcessExit {
    int exitCode = 0;       // for a child ended by a signal: 128 + the signal
    bool crashed = false;   // ended by a signal
};

// The program could not be started; what() is the system's reason.
struct ProcessLaunchError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ExternalProcessRunning {
public:
    using LineHandler = std::function<void(std::string_view)>;

    virtual ~ExternalProcessRunning() = default;

    // Runs the program to its end. Its standard output and error reach `onLine` line by
    // line (cut at "\n" and "\r") in the order they arrive, on the calling thread. A stop
    // request kills the child and every process it started, then throws CancellationError;
    // a child that can't be started throws ProcessLaunchError.
    virtual QCoro::Task<ProcessExit> run(ProcessRequest request, LineHandler onLine, std::stop_token stop) = 0;
};

} // namespace zantiva
