#include "Engines/StorageTargetCheck.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "Engines/StorageBenchmarkFailure.h"

namespace zantiva::StorageTargetCheck {

using Kind = StorageBenchmarkFailure::Kind;

bool hasRoom(std::optional<std::uint64_t> freeBytes, std::int64_t fileSize) {
    if (!freeBytes) return true;
    return *freeBytes >= static_cast<std::uint64_t>(fileSize + headroomBytes);
}

void check(const std::filesystem::path& folder, std::int64_t fileSize) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) throw StorageBenchmarkFailure(Kind::targetUnavailable);

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
