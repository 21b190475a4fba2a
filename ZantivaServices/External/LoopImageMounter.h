#pragma once

// Opens disk images (.iso, .img, .squashfs) read-only. Without root it asks udisks
// ("udisksctl loop-setup -r", then "udisksctl mount"); as root, with no udisks, it runs
// "mount -o loop,ro,nosuid,nodev" into a folder of its own, a private folder (checked, or
// refused and then not used at all). An image that is already
// mounted (a loop device backed by that file has a mount) is reported, not mounted twice.
// Detaching tries plain unmounts, then a forced (lazy) one. What an earlier run of the
// program left attached is detached before the first attach of this one.

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "External/DiskImageMounting.h"
#include "External/ExternalProcessRunning.h"
#include "Platform/PrivateFolder.h"

namespace zantiva {

class LoopImageMounter final : public DiskImageMounting {
public:
    enum class Method { udisks, mountAsRoot, unavailable };

    // The private folder, udisks when "udisksctl" is on the search path, else mount as
    // root, else nothing.
    LoopImageMounter();
    LoopImageMounter(std::filesystem::path privateFolder, Method method,
                     std::shared_ptr<ExternalProcessRunning> launcher, std::filesystem::path systemRoot = "/");

    QCoro::Task<AttachedImage> attach(std::filesystem::path image) override;
    void detach(const std::filesystem::path& mountPoint) override;
    bool isMounted(const std::filesystem::path& mountPoint) const override;
    void detachLeftovers() override;

    // "$XDG_RUNTIME_DIR/zantiva-diagnostics/images", or "images" in the per-user temporary
    // folder when the runtime folder is missing or refused (PrivateFolder::runtime).
    static std::filesystem::path defaultPrivateFolder();
    static Method availableMethod();

private:
    struct ToolResult {
        int exitCode = -1;
        std::vector<std::string> lines;
        std::string reason(std::string_view tool) const;
    };

    QCoro::Task<ToolResult> runTool(std::vector<std::string> command);
    QCoro::Task<AttachedImage> mountAsRoot(std::filesystem::path image);
    QCoro::Task<AttachedImage> mountWithUdisks(std::filesystem::path image);
    bool isInPrivateFolder(const std::filesystem::path& path) const;
    void unmountPrivate(const std::filesystem::path& mountPoint);
    void unmountUdisks(const std::string& device);
    std::filesystem::path udisksRecord(const std::string& loopDevice) const;
    void removeUdisksRecord(const std::string& loopDevice) const;

    std::optional<PrivateFolder> folder_; // absent when refused: then nothing is done in it
    std::filesystem::path privateFolder_; // its real path
    Method method_;
    std::shared_ptr<ExternalProcessRunning> launcher_;
    std::filesystem::path systemRoot_;
    std::atomic<bool> leftoversChecked_ = false; // the start-up task and a first attach may race
};

} // namespace zantiva
