#pragma once

#include <string>
#include <system_error>

namespace zantiva {

// The kernel's renameat2; tests put a failing one in its place.
using RenameAt2 = int (*)(int fromFolder, const char* from, int toFolder, const char* to, unsigned int flags);

// Renames `from` (a file, folder or anything else) to `to`, both inside the open folder
// `folder`, only when nothing is there: an existing `to` is never replaced and gives EEXIST.
// Where the kernel or file system can't refuse a replacement itself (NFS, CIFS, some FUSE
// file systems, old kernels, sandboxes) the move is made by steps that fail on a taken
// name instead. Returns no error once moved.
std::error_code renameWithoutReplacing(int folder, const std::string& from, const std::string& to,
                                       RenameAt2 renameCall = nullptr);

} // namespace zantiva
