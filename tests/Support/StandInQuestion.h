#pragma once

// A launcher that stands in for pkexec left waiting for the user's answer: a real child
// that notes its pid in a file and sleeps far past any test.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>
#include <sys/types.h>

#include "PollUntil.h"

namespace zantiva::testing {

// Run as launcher + {program, drive}: the program and the drive follow the pid file.
inline std::vector<std::string> unansweredQuestion(const std::filesystem::path& pidFile) {
    return {"sh", "-c", "echo $$ > \"$0\" && exec sleep 600", pidFile.string()};
}

// The stand-in's pid once it has written all of it; absent if it never starts.
inline std::optional<pid_t> awaitQuestion(const std::filesystem::path& pidFile,
                                          std::chrono::seconds patience = std::chrono::seconds(60)) {
    std::optional<pid_t> pid;
    pollUntil([&] {
        std::ifstream file(pidFile);
        std::string line;
        if (std::getline(file, line) && !file.eof() && !line.empty()) pid = static_cast<pid_t>(std::stol(line));
        return pid.has_value();
    }, patience);
    return pid;
}

} // namespace zantiva::testing
