#include "Platform/ExclusiveRename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace zantiva {

std::error_code renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
    if (errno != EINVAL) return {errno, std::generic_category()};
    // A file system without the flag: a look first, then a plain rename.
    struct stat there {};
    if (::lstat(to.c_str(), &there) == 0) return {EEXIST, std::generic_category()};
    if (errno != ENOENT) return {errno, std::generic_category()};
    if (std::rename(from.c_str(), to.c_str()) != 0) return {errno, std::generic_category()};
    return {};
}

} // namespace zantiva
