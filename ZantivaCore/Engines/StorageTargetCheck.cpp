#include "Engines/StorageTargetCheck.h"

#include <algorithm>
#include <array>
#include <linux/magic.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>
#include <unistd.h>

#include "Engines/StorageBenchmarkFailure.h"

namespace zantiva::StorageTargetCheck {

using Kind = StorageBenchmarkFailure::Kind;

namespace {

// File systems the kernel makes up from its own state (/proc, /sys, /dev/pts, …): no drive
// is behind them, and their zero free blocks say nothing about space. The last three have
// no name in <linux/magic.h>.
constexpr std::array<decltype(statfs::f_type), 21> pseudoFileSystems{
    PROC_SUPER_MAGIC, SYSFS_MAGIC, DEVPTS_SUPER_MAGIC, CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC,
    DEBUGFS_MAGIC, TRACEFS_MAGIC, SECURITYFS_MAGIC, SELINUX_MAGIC, SMACK_MAGIC, AAFS_MAGIC,
    PSTOREFS_MAGIC, EFIVARFS_MAGIC, BPF_FS_MAGIC, BINFMTFS_MAGIC, NSFS_MAGIC, RDTGROUP_SUPER_MAGIC,
    BINDERFS_SUPER_MAGIC,
    0x62656570,   // configfs
    0x19800202,   // mqueue
    0x65735543,   // fusectl
};

// File systems that only ever hold memory: the test would measure memory, not a drive. They
// accept O_DIRECT (tmpfs since Linux 6.6) and their free space is the memory's, so they are
// told apart before the space is looked at.
constexpr std::array<decltype(statfs::f_type), 3> memoryFileSystems{TMPFS_MAGIC, RAMFS_MAGIC, HUGETLBFS_MAGIC};

bool isOneOf(const auto& types, decltype(statfs::f_type) type) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

// The process's file-size limit (ulimit -f) allows the whole file.
bool mayWrite(std::int64_t fileSize) {
    struct rlimit limit {};
    return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
           limit.rlim_cur >= static_cast<rlim_t>(fileSize);
}

} // namespace

bool hasRoom(std::optional<std::uint64_t> freeBytes, std::int64_t fileSize) {
    if (!freeBytes) return true;
    return *freeBytes >= static_cast<std::uint64_t>(fileSize + headroomBytes);
}

void check(const std::filesystem::path& folder, std::int64_t fileSize) {
    struct stat st {};
    struct statfs fs {};
    const bool typeKnown = ::statfs(folder.c_str(), &fs) == 0;
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || (typeKnown && isOneOf(pseudoFileSystems, fs.f_type)))
        throw StorageBenchmarkFailure(Kind::targetUnavailable);
    if (typeKnown && isOneOf(memoryFileSystems, fs.f_type)) throw StorageBenchmarkFailure(Kind::directIOUnsupported);

    // Unreadable volume properties skip the volume checks; the create will still tell.
    struct statvfs volume {};
    if (::statvfs(folder.c_str(), &volume) == 0) {
        if (volume.f_flag & ST_RDONLY) throw StorageBenchmarkFailure(Kind::writeProtected);
        // What an unprivileged user may still fill, the figure that matters to this process.
        const std::uint64_t available = static_cast<std::uint64_t>(volume.f_bavail) * volume.f_frsize;
        if (!hasRoom(available, fileSize)) throw StorageBenchmarkFailure(Kind::notEnoughSpace);
    }

    // Making a file needs search permission as well as write permission on the folder.
    if (::access(folder.c_str(), W_OK | X_OK) != 0) throw StorageBenchmarkFailure(Kind::accessDenied);
    if (!mayWrite(fileSize)) throw StorageBenchmarkFailure(Kind::fileTooLarge);
}

} // namespace zantiva::StorageTargetCheck
