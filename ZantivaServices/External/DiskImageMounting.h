#pragma once

// The seam that opens the disk images outside applications may live on.

#include <filesystem>
#include <stdexcept>
#include <stop_token>
#include <string>

#include <QCoro/QCoroTask>

#include "Localization/LocalizedMessage.h"

namespace zantiva {

// Why an image could not be opened: `message` is what the user is told, `reason` the words
// of the tool or the system.
struct DiskImageError : std::runtime_error {
    // The reason shown as it stands, within "couldn't be opened".
    explicit DiskImageError(std::string reason)
        : DiskImageError(LocalizedMessage("External.ImageFailed", reason), reason) {}
    DiskImageError(LocalizedMessage message, std::string reason)
        : std::runtime_error(reason), message(std::move(message)), reason(std::move(reason)) {}
    LocalizedMessage message;
    std::string reason;
};

struct AttachedImage {
    std::filesystem::path mountPoint;
    bool wasAlreadyMounted = false; // somebody else had it mounted: not ours to detach
};

class DiskImageMounting {
public:
    virtual ~DiskImageMounting() = default;

    // Mounts the image read-only, or finds where it is already mounted. Throws DiskImageError,
    // or CancellationError once `stop` is requested (the tool at work is killed).
    virtual QCoro::Task<AttachedImage> attach(std::filesystem::path image, std::stop_token stop) = 0;
    // Detaches a mount point: plain attempts first, then a forced one. Blocking (it runs at
    // quit); never throws, a failure is only logged.
    virtual void detach(const std::filesystem::path& mountPoint) = 0;
    // Whether the path is mounted now: a folder left where a volume was is no mount. Where
    // that can't be told, yes: only a mount table that reads shows a volume gone.
    virtual bool isMounted(const std::filesystem::path& mountPoint) const = 0;
    // Detaches what an earlier run of the program left attached; only the first call does
    // anything. Blocking: call it off the main thread.
    virtual void detachLeftovers() = 0;
};

// Whether a file name ends in a disk-image extension (.iso, .img, .squashfs; any case).
bool isDiskImagePath(const std::filesystem::path& path);

} // namespace zantiva
