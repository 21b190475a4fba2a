#pragma once

#include <cerrno>
#include <cstdint>
#include <optional>
#include <vector>

namespace zantiva {

// What one health source answered for a drive: its value when it had one, and whether it
// was refused for lack of rights (the kernel's EACCES or EPERM), which is then the reason
// there is no value.
template <typename T> struct HealthSourceAnswer {
    std::optional<T> value;
    bool refused = false;

    bool operator==(const HealthSourceAnswer&) const = default;
};

// Whether an errno says the caller lacks the rights, as opposed to the thing being absent
// or broken.
inline bool isRefusedForRights(int error) { return error == EACCES || error == EPERM; }

// What a drive's two sources gave, before it is judged: the health log page of its NVMe
// controller and its SMART verdict (true: passed, false: failing).
struct DriveHealthReading {
    std::optional<std::vector<std::uint8_t>> nvmeLog;
    std::optional<bool> verdict;

    bool operator==(const DriveHealthReading&) const = default;
};

// How a read of one drive with administrator rights ended.
enum class ElevatedReadEnd {
    read,           // the drive health program answered (the drive may still have told nothing)
    declined,       // the person declined, dismissed or left the question, or the rights were refused
    nobodyToAsk,    // no agent to ask, no pkexec, or no drive health program to run
    failed,         // the program ran and its read failed: an error status, a garbled answer
    stopped,        // the reading was stopped first; says nothing about the rights
};

// What the read gave: the drive's reading when it ended as `read`, nothing otherwise.
struct ElevatedDriveReading {
    ElevatedReadEnd end = ElevatedReadEnd::failed;
    DriveHealthReading reading;

    bool operator==(const ElevatedDriveReading&) const = default;
};

} // namespace zantiva
