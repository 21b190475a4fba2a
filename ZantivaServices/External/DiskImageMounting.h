#pragma once

// The seam that opens the disk images outside applications may live on.

#include <filesystem>
#include <stdexcept>
#include <string>

#include <QCoro/QCoroTask>

namespace zantiva {

// Why an image could not be opened; `reason` is shown to the user as it stands.
struct DiskImageError : std::runtime_error {
    explicit DiskImageError(std::string reason) : std::runtime_error(reason), reason(std::move(reason)) {}
    std::string reason;
};

struct AttachedImage {
    std::filesystem::path mountPoint;
    bool wasAlreadyMounted = false; // somebody else had it mounted: not ours to detach
};

class DiskImageMounting {
public:
    virtual ~DiskImageMounting() = default;

    // Mounts the image read-only, or finds where it is already mounted. Throws DiskImageError.
    virtual QCoro::Task<AttachedImage> attach(std::filesystem::path image) = 0;
    // Detaches a mount point: plain attempts first, then a forced one. Blocking (it runs at
    // quit); never throws, a failure is only logged.
    virtual void detach(const std::filesystem::path& mountPoint) = 0;
    // Whether the path is mounted now: a folder left where a volume was is no mount.
    virtual bool isMounted(const std::filesystem::path& mountPoint) const = 0;
    // Detaches what an earlier run of the program left attached; only the first call does
    // anything. Blocking: call it off the main thread.
    virtual void detachLeftovers() = 0;
};

// Whether a file name ends in a disk-image extension (.iso, .img, .squashfs; any case).
bool isDiskImagePath(const std::filesystem::path& path);

} // namespace zantiva
