#pragma once

// Whole-file reading and crash-safe replacement of a file.
//
// A replacement is written to a hidden temporary file next to the target
// (".<name>.tmp-<pid>-<random>"), flushed to disk, renamed over the target and the folder
// flushed, so that a reader, or the disk after a crash or a kill, holds either the old
// file or the new one, never part of one. The temporary file is removed when the write
// fails. A process killed mid-write leaves its temporary file behind; the next write of
// the same target removes such files once the process that made them is gone.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace zantiva {

// Who may read a written file: only this user (what the program keeps for itself, mode
// 0600), or whom the user's umask lets in (a file the user asked for, such as an export).
enum class FileAccess { ownerOnly, userUmask };

// Replaces `file` with `bytes`. The folder must exist. Returns no error once the new file
// is in place; otherwise the error, and the old file (or its absence) is left as it was.
// The new file's mode follows `access`, whatever the old one's was; a file for this user
// alone fails with operation_not_supported where the file system leaves it open to others.
std::error_code writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                                    FileAccess access = FileAccess::ownerOnly);

// The most readWholeFile reads. Stored records are a few KiB; 16 MiB is far above any real
// one and keeps a damaged or hostile file from costing memory by its size.
inline constexpr std::size_t storedFileLimit = 16u << 20;

// The whole content of a regular file of at most storedFileLimit bytes; absent when it is
// missing, larger, not a regular file (a FIFO or a device, which are never waited on) or
// cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& file);

} // namespace zantiva
