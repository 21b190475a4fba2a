#include "Platform/ExclusiveRename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zantiva {
namespace {

std::error_code errorOf(int number) { return {number, std::generic_category()}; }

// Anything but a folder: a second name first (linkat fails on a taken one), then the first
// name goes. A failed unlink takes the second name back, so the entry has one name again.
std::error_code moveByLink(int folder, const std::string& from, const std::string& to) {
    if (::linkat(folder, from.c_str(), folder, to.c_str(), 0) != 0) return errorOf(errno);
    if (::unlinkat(folder, from.c_str(), 0) == 0) return {};
    const int error = errno;
    ::unlinkat(folder, to.c_str(), 0);
    return errorOf(error);
}

// A folder can't have a second name: an empty folder holds the new name first, and the move
// may replace only that, and only while it is empty. What anyone put in it meanwhile makes
// the rename fail, which counts as a taken name.
std::error_code moveFolder(int folder, const std::string& from, const std::string& to) {
    if (::mkdirat(folder, to.c_str(), 0700) != 0) return errorOf(errno);
    if (::renameat(folder, from.c_str(), folder, to.c_str()) == 0) return {};
    const int error = errno;
    if (error == ENOTEMPTY || error == EEXIST || error == ENOTDIR) return errorOf(EEXIST);
    ::unlinkat(folder, to.c_str(), AT_REMOVEDIR);
    return errorOf(error);
}

} // namespace

std::error_code renameWithoutReplacing(int folder, const std::string& from, const std::string& to,
                                       RenameAt2 renameCall) {
    if (!renameCall) renameCall = ::renameat2;
    if (renameCall(folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE) == 0) return {};
    const int error = errno;
    // EINVAL: a file system without the flag; ENOSYS, EPERM: a kernel or sandbox without the call.
    if (error != EINVAL && error != ENOSYS && error != EPERM) return errorOf(error);
    struct stat entry {};
    if (::fstatat(folder, from.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) return errorOf(errno);
    return S_ISDIR(entry.st_mode) ? moveFolder(folder, from, to) : moveByLink(folder, from, to);
}

} // namespace zantiva
