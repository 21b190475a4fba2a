#pragma once

// Opens disk images (.iso, .img, .squashfs) read-only. Where the udisks daemon answers it
// asks udisks ("udisksctl loop-setup -r", then "udisksctl mount"); else, as root, it runs
// "mount -o loop,ro,nosuid,nodev" into a folder of its own, a private folder (checked, or
// refused and then not used at all). An image that is already
// mounted (a loop device backed by that file has a mount) is reported, not mounted twice.
// Detaching tries plain unmounts, then a forced (lazy) one. What an earlier run of the
// program left attached is detached before the first attach of this one. Each tool run of
// an attach is bounded: one that hasn't ended by then is killed and the attach fails.

#include <atomic>
#include <chrono>
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

    // What the choice of a method rests on.
    struct Abilities {
        bool udisksInstalled = false; // "udisksctl" is on the search path
        bool udisksAnswers = false;   // and reaches its daemon
        bool mayMount = false;        // the process may mount (root)
    };

    // The private folder and the method this machine offers.
    LoopImageMounter();
    // A mount of a slow disk takes seconds: a minute is generous.
    static constexpr std::chrono::milliseconds defaultToolTimeout = std::chrono::minutes(1);

    // Without a method, the machine's is chosen at the first attach.
    LoopImageMounter(std::filesystem::path privateFolder, std::optional<Method> method,
                     std::shared_ptr<ExternalProcessRunning> launcher, std::filesystem::path systemRoot = "/",
                     std::chrono::milliseconds toolTimeout = defaultToolTimeout);

    // A per-user temporary folder made for this run only goes with the mounter, once the
    // images folder in it is empty (detaching removes the mount folders).
    ~LoopImageMounter() override;

    QCoro::Task<AttachedImage> attach(std::filesystem::path image, std::stop_token stop) override;
    void detach(const std::filesystem::path& mountPoint) override;
    bool isMounted(const std::filesystem::path& mountPoint) const override;
    void detachLeftovers() override;

    // udisks where its daemon answers; else the loop mount where the process may mount
    // (containers and minimal systems carry udisksctl without a daemon or a system bus); else
    // udisks where it is installed, whose error then says why; else nothing.
    static Method chooseMethod(const Abilities& abilities);
    // This machine's: the daemon is asked ("udisksctl status", bounded) only where udisksctl is.
    static Abilities machineAbilities();

private:
    // "$XDG_RUNTIME_DIR/zantiva-diagnostics/images", or "images" in the per-user temporary
    // folder when the runtime folder is missing or refused; with the latter when it was made
    // for this run only.
    struct DefaultFolder {
        std::optional<PrivateFolder> runFolder;
        std::filesystem::path images;
    };
    static DefaultFolder defaultFolder();
    explicit LoopImageMounter(DefaultFolder folder);

    struct ToolResult {
        int exitCode = -1;
        std::vector<std::string> lines;  // standard output's and error's, as they came
        std::vector<std::string> output; // standard output's alone
        std::string reason(std::string_view tool) const;
    };

    QCoro::Task<ToolResult> runTool(std::vector<std::string> command, std::stop_token stop);
    // The same into `result`, whose lines so far stay there when the run throws.
    QCoro::Task<> runTool(std::vector<std::string> command, std::stop_token stop, ToolResult& result);
    QCoro::Task<AttachedImage> mountAsRoot(std::filesystem::path image, std::stop_token stop);
    QCoro::Task<AttachedImage> mountWithUdisks(std::filesystem::path image, std::stop_token stop);
    QCoro::Task<AttachedImage> mountLoopDevice(std::string loop, std::stop_token stop);
    bool isInPrivateFolder(const std::filesystem::path& path) const;
    void unmountPrivate(const std::filesystem::path& mountPoint);
    void unmountUdisks(const std::string& device);
    std::filesystem::path udisksRecord(const std::string& loopDevice) const;
    void removeUdisksRecord(const std::string& loopDevice) const;

    std::optional<PrivateFolder> runFolder_; // the per-user temporary folder, when made for this run only
    std::optional<PrivateFolder> folder_; // absent when refused: then nothing is done in it
    std::filesystem::path privateFolder_; // its real path
    std::optional<Method> method_; // none yet: asked of the machine at the first attach
    std::shared_ptr<ExternalProcessRunning> launcher_;
    std::filesystem::path systemRoot_;
    std::chrono::milliseconds toolTimeout_;
    std::atomic<bool> leftoversChecked_ = false; // the start-up task and a first attach may race
};

} // namespace zantiva
