#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace zantiva {

// One process as its stat file in a procfs shows it: "pid (name) state parent group …".
struct ProcessStat {
    pid_t pid = 0;
    std::string name;   // at most 15 bytes; may hold blanks and parentheses
    char state = 0;     // 'R', 'S', … 'Z' for a zombie not yet reaped
    pid_t parent = 0;
    pid_t group = 0;

    bool operator==(const ProcessStat&) const = default;
};

// Absent where one of these fields is missing or garbled.
std::optional<ProcessStat> parseProcessStat(std::string_view line);

// A process id as a folder name or a stat field gives it: a whole number that fits, not below 0.
std::optional<pid_t> parseProcessId(std::string_view text);

// The stat of process `pid` read from `statFile`, its stat file opened earlier; absent when the
// read fails (the process has ended and been reaped since the open) or the line names another.
std::optional<ProcessStat> readProcessStat(int statFile, pid_t pid);

// The process's stat in `proc`; absent when it has ended or its line names another process.
std::optional<ProcessStat> processStatOf(pid_t pid, const std::filesystem::path& proc = "/proc");

// Every process in `proc` whose stat reads. Processes that end meanwhile, and another user's
// that /proc hides (hidepid=1), are simply left out; absent when the table could not be read:
// `proc` does not list, or a stat fails for another reason (no descriptor left, an I/O error).
// Only one descriptor is held at a time.
std::optional<std::vector<ProcessStat>> allProcessStats(const std::filesystem::path& proc = "/proc");

} // namespace zantiva
