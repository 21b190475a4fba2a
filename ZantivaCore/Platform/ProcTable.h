#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zantiva {

// One line of a kernel table such as /proc/stat ("cpu3 100 0 …"), /proc/meminfo
// ("MemTotal:  16384 kB") or a process's status: its first word and the whole numbers and
// words after it, read in place.
// The live readings parse these every second; streams would copy and scan each line twice.
class ProcLine {
public:
    explicit ProcLine(std::string_view line);

    std::string_view name() const { return name_; }
    // The next whole number, past blanks; absent at the end or where something else stands.
    std::optional<std::uint64_t> nextNumber();
    // The next word, past blanks; empty at the end.
    std::string_view nextWord();

private:
    std::string_view name_;
    std::string_view rest_;
};

// The lines of a table, without their line breaks.
std::vector<std::string_view> procLines(std::string_view text);

// The first number after a row's name in a table's text, such as a cgroup's memory.stat
// ("file 4096") or a process's status ("VmSize:  262144 kB").
std::optional<std::uint64_t> rowNumber(std::string_view table, std::string_view row);

} // namespace zantiva
