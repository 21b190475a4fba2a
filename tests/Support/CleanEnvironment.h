#pragma once

// The start of a command run with the given variables alone (`env -i`), as another session would
// start it; the sanitizers' options of a sanitized build's test run go with them.

#include <cstdlib>
#include <string>
#include <vector>

namespace zantiva::testing {

inline std::vector<std::string> withVariablesAlone(const std::vector<std::string>& variables) {
    std::vector<std::string> command{"env", "-i"};
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "ZANTIVA_SERVICES"})
        if (const char* value = std::getenv(name)) command.push_back(std::string(name) + "=" + value);
    command.insert(command.end(), variables.begin(), variables.end());
    return command;
}

} // namespace zantiva::testing
