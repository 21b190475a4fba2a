#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace zantiva {

// The checks on the folder a storage test is to run in, made before any file is created.
namespace StorageTargetCheck {

// Space kept free beside the test file so the test never fills the drive.
inline constexpr std::int64_t headroomBytes = 268'435'456;

// Throws StorageBenchmarkFailure: targetUnavailable (missing, not a folder, or on a pseudo
// file system such as /proc or /sys), directIOUnsupported (a file system that holds only
// memory: tmpfs, ramfs, hugetlbfs), writeProtected (read-only volume), notEnoughSpace,
// accessDenied (not writable), fileTooLarge (the process's file-size limit is below fileSize).
void check(const std::filesystem::path& folder, std::int64_t fileSize);

// The space rule alone: unknown free space is not checked.
bool hasRoom(std::optional<std::uint64_t> freeBytes, std::int64_t fileSize);

} // namespace StorageTargetCheck

} // namespace zantiva
