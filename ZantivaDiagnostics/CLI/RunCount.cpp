#include "CLI/RunCount.h"

namespace zantiva {

std::optional<int> runCount(const CommandLine& commandLine) {
    if (!commandLine.has("--runs")) return 1;
    return commandLine.wholeNumber("--runs", 1, mostRuns);
}

std::string runCountProblem() { return "--runs needs a whole number from 1 to " + std::to_string(mostRuns); }

} // namespace zantiva
