#pragma once

// What the program and the drive health program (zantiva-drive-health) say to each other.
// The program starts it through pkexec, as root, for a drive whose health sources turned
// this user away. Its one argument names one whole-disk device as /sys/block lists it
// ("nvme0n1", "sda"). Once it has taken the argument, before it reads, it prints
//
//   started
//
// (so that a read under way, the rights given, is told from a question still open), then
// one `name: value` line for each source that answered:
//
//   nvme-log: <1024 lowercase hex digits>   the controller's 512-byte health log page
//   smart-verdict: passed                    or "failing"
//
// and exits 0 (no such line: the drive told nothing, even to root). An argument it refuses
// ends it with status 2, the reason on standard error and nothing on standard output.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "Probes/DriveHealthReading.h"

namespace zantiva::DriveHealthProtocol {

inline constexpr const char* programName = "zantiva-drive-health";
inline constexpr int argumentRefused = 2;
// The longest name the kernel gives a disk (its DISK_NAME_LEN, less the terminator).
inline constexpr std::size_t maxDriveNameBytes = 31;
// Everything the program prints fits in this; anything longer is not its answer.
inline constexpr std::size_t maxAnswerBytes = 2048;
inline constexpr std::string_view startLine = "started\n";

// Why a word cannot name a drive, in our words; absent when it can: 1 to 31 ASCII letters,
// digits, '-' and '_', starting with a letter or digit, so it is never a path, an option
// or anything a shell or a terminal would read.
std::optional<std::string> driveNameProblem(std::string_view word);

std::string encodeReading(const DriveHealthReading& reading);
// Absent when the text is not an answer: an unknown, repeated or misplaced line (the log
// comes first), a log that is not 512 bytes of hex, another verdict word, a missing line
// end, or more than maxAnswerBytes.
std::optional<DriveHealthReading> decodeReading(std::string_view text);
// The reading in all that the program printed: its start line, then the reading's lines.
std::optional<DriveHealthReading> decodeAnswer(std::string_view output);

} // namespace zantiva::DriveHealthProtocol
