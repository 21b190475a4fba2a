#include "Engines/StorageTargetCheck.h"

#include <algorithm>
#include <array>
#include <linux/magic.h>
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

bool isPseudoFileSystem(const std::filesystem::path& folder) {
    struct statfs fs {};
    return ::statfs(folder.c_str(), &fs) == 0
           && std::find(pseudoFileSystems.begin(), pseudoFileSystems.end(), fs.f_type) != pseudoFileSystems.end();
}

} // namespace

bool hasRoom(std::optional<std::uint64_t> freeBytes, std::int64_t fileSize) {
    if (!freeBytes) return true;
    return *freeBytes >= static_cast<std::uint64_t>(fileSize + headroomBytes);
}

void check(const std::filesystem::path& folder, std::int64_t fileSize) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || isPseudoFileSystem(folder))
        throw StorageBenchmarkFailure(Kind::targetUnavailable);

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
}

} // namespace zantiva::StorageTargetCheck
