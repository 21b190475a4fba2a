#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <sys/types.h>
#include <unistd.h>

namespace zantiva::testing {

// Whether the process has ended: it is gone or only a zombie waiting for its parent.
inline bool isGone(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pidText, name, state;
    return !(stat >> pidText >> name >> state) || state == "Z";
}

// One running process as /proc/<pid>/stat shows it.
struct ProcessEntry {
    pid_t pid = 0;
    pid_t parent = 0;
    pid_t group = 0;
    std::string name;   // at most 15 bytes
};

// Whether this process has a child, running or not yet reaped.
inline bool hasChildProcesses() {
    const std::string self = std::to_string(::getpid());
    std::error_code error;
    for (const auto& folder : std::filesystem::directory_iterator("/proc", error)) {
        std::ifstream stat(folder.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        const auto close = line.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(line.substr(close + 1));
        std::string state, parent;
        if (rest >> state >> parent && parent == self) return true;
    }
    return false;
}

inline std::vector<ProcessEntry> runningProcesses() {
    std::vector<ProcessEntry> entries;
    std::error_code error;
    for (const auto& folder : std::filesystem::directory_iterator("/proc", error)) {
        std::ifstream stat(folder.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        // The name may hold spaces and parentheses: it ends at the last ')'.
        const auto open = line.find('('), close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open) continue;
        ProcessEntry entry;
        entry.name = line.substr(open + 1, close - open - 1);
        std::istringstream rest(line.substr(close + 1));
        std::string state;
        if (!(rest >> state >> entry.parent >> entry.group) || state == "Z") continue;
        entry.pid = static_cast<pid_t>(std::stol(line.substr(0, open)));
        entries.push_back(entry);
    }
    return entries;
}

} // namespace zantiva::testing
