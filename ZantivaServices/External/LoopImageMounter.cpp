#include "External/LoopImageMounter.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <system_error>
#include <thread>
#include <unistd.h>

#include <QStandardPaths>
#include <QTimer>

#include "External/MountTable.h"
#include "External/ProcessLauncher.h"
#include "External/ToolOutputText.h"
#include "Model/SpecText.h"
#include "Platform/AtomicFile.h"
#include "Platform/BoundedProcess.h"
#include "Platform/CancelToken.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::string_view logCategory = "external";
constexpr char imagesFolderName[] = "images";
constexpr auto detachTimeout = 20s;
constexpr auto statusTimeout = 5s;
constexpr int plainDetachAttempts = 2;

std::string systemMessage(int error) { return std::generic_category().message(error); }

// Nothing can be told about what is mounted: the image is neither found nor mounted twice.
DiskImageError mountsUnknown() {
    return DiskImageError(LocalizedMessage("External.MountsUnknown"), "the mount table can't be read");
}

bool runQuietly(const std::vector<std::string>& command) {
    const auto result = runBoundedProcess(command, detachTimeout);
    return result && result->succeeded();
}

void deleteLoopDevice(const std::string& device) {
    runQuietly({"udisksctl", "loop-delete", "-b", device, "--no-user-interaction"});
}

// The tools' lines and the mount table carry paths of any length, so they are read by
// hand: a regular expression's backtracking recurses once per character.
constexpr std::string_view loopDevicePrefix = "/dev/loop";

bool isNumber(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "/dev/loop3p1" → "/dev/loop3".
std::string wholeLoopDevice(const std::string& device) {
    const auto partition = device.find('p', loopDevicePrefix.size());
    if (!device.starts_with(loopDevicePrefix) || partition == std::string::npos ||
        !isNumber(std::string_view(device).substr(loopDevicePrefix.size(), partition - loopDevicePrefix.size())) ||
        !isNumber(std::string_view(device).substr(partition + 1)))
        return device;
    return device.substr(0, partition);
}

// The loop device of udisksctl's success line on standard output, "Mapped file <image> as
// /dev/loop0.": the last one in the line, since the image's name may hold the same words.
std::optional<std::string> mappedLoopDevice(std::string_view line) {
    if (!line.starts_with("Mapped file ")) return std::nullopt;
    const auto at = line.rfind(std::string("as ") + std::string(loopDevicePrefix));
    if (at == std::string_view::npos) return std::nullopt;
    const std::string_view device = line.substr(at + 3);
    const auto end = std::min(device.find_first_not_of("0123456789", loopDevicePrefix.size()), device.size());
    if (end == loopDevicePrefix.size()) return std::nullopt;
    return std::string(device.substr(0, end));
}

// The mount point of udisksctl's "Mounted /dev/loop0 at /media/ana/GB6.".
std::optional<std::string> mountedAt(std::string_view line) {
    const auto at = line.find(" at ");
    if (at == std::string_view::npos) return std::nullopt;
    std::string_view point = line.substr(at + 4);
    if (point.size() > 1 && point.ends_with('.')) point.remove_suffix(1);
    if (point.empty()) return std::nullopt;
    return std::string(point);
}

} // namespace

LoopImageMounter::LoopImageMounter() : LoopImageMounter(defaultFolder()) {}

LoopImageMounter::LoopImageMounter(DefaultFolder folder)
    : LoopImageMounter(std::move(folder.images), std::nullopt, std::make_shared<ProcessLauncher>()) {
    if (folder.runFolder && folder.runFolder->isForThisRun()) runFolder_ = std::move(folder.runFolder);
}

// The mount table names real paths, so the folder is known by its real path: a mount under
// a folder reached through a link is still known as ours.
LoopImageMounter::LoopImageMounter(fs::path privateFolder, std::optional<Method> method,
                                   std::shared_ptr<ExternalProcessRunning> launcher, fs::path systemRoot,
                                   std::chrono::milliseconds toolTimeout)
    : folder_(PrivateFolder::open(privateFolder, PrivateFolder::IfMissing::make, PrivateFolder::IfOpenToOthers::close)),
      privateFolder_(folder_ ? folder_->realPath() : fs::path()), method_(method), launcher_(std::move(launcher)),
      systemRoot_(std::move(systemRoot)), toolTimeout_(toolTimeout) {}

LoopImageMounter::~LoopImageMounter() {
    if (!runFolder_) return;
    runFolder_->removeEmptyFolder(imagesFolderName);
    runFolder_->removeIfEmpty();
}

LoopImageMounter::DefaultFolder LoopImageMounter::defaultFolder() {
    // The session's runtime folder is every program's: there the images get a folder of
    // the program's own. The per-user temporary folder is one already.
    if (const auto session = PrivateFolder::sessionRuntime()) {
        const auto own = PrivateFolder::open(session->path() / "zantiva-diagnostics", PrivateFolder::IfMissing::make,
                                             PrivateFolder::IfOpenToOthers::close);
        return {std::nullopt, own ? own->path() / imagesFolderName : fs::path()};
    }
    auto temporary = PrivateFolder::perUserTemporary();
    if (!temporary) return {};
    fs::path images = temporary->path() / imagesFolderName;
    return {std::move(temporary), std::move(images)};
}

LoopImageMounter::Method LoopImageMounter::chooseMethod(const Abilities& abilities) {
    if (abilities.udisksInstalled && abilities.udisksAnswers) return Method::udisks;
    if (abilities.mayMount) return Method::mountAsRoot;
    return abilities.udisksInstalled ? Method::udisks : Method::unavailable;
}

LoopImageMounter::Abilities LoopImageMounter::machineAbilities() {
    Abilities abilities{.mayMount = ::geteuid() == 0};
    const QString udisksctl = QStandardPaths::findExecutable(QStringLiteral("udisksctl"));
    abilities.udisksInstalled = !udisksctl.isEmpty();
    if (abilities.udisksInstalled) {
        const auto status = runBoundedProcess({udisksctl.toStdString(), "status"}, statusTimeout);
        abilities.udisksAnswers = status && status->succeeded();
    }
    return abilities;
}

std::string LoopImageMounter::ToolResult::reason(std::string_view tool) const {
    if (!lines.empty()) return lines.back();
    return std::string(tool) + " exited with status " + std::to_string(exitCode);
}

QCoro::Task<LoopImageMounter::ToolResult> LoopImageMounter::runTool(std::vector<std::string> command,
                                                                     std::stop_token stop) {
    ToolResult result;
    co_await runTool(std::move(command), stop, result);
    co_return result;
}

QCoro::Task<> LoopImageMounter::runTool(std::vector<std::string> command, std::stop_token stop, ToolResult& result) {
    const std::string tool = command.front();
    ProcessRequest request{tool, {command.begin() + 1, command.end()}};
    request.onErrorLine = [&result](std::string_view line) { result.lines.emplace_back(specText::trimmed(line)); };
    // The run's stop or the bound, whichever comes first, kills the tool.
    std::stop_source ending;
    const std::stop_callback onStop(stop, [&ending] { ending.request_stop(); });
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, [&ending] { ending.request_stop(); });
    bound.start(toolTimeout_);
    try {
        const ProcessExit exit = co_await launcher_->run(
            std::move(request),
            [&](std::string_view line) {
                result.lines.emplace_back(specText::trimmed(line));
                result.output.emplace_back(specText::trimmed(line));
            },
            ending.get_token());
        result.exitCode = exit.exitCode;
    } catch (const ProcessLaunchError& error) {
        result.lines.push_back(error.what());
    } catch (const CancellationError&) {
        if (stop.stop_requested()) throw;
        throw DiskImageError(LocalizedMessage("External.ImageTimedOut"), tool + " did not end in time");
    }
}

QCoro::Task<AttachedImage> LoopImageMounter::attach(fs::path image, std::stop_token stop) {
    std::error_code ec;
    const fs::path file = fs::canonical(image, ec);
    if (ec) throw DiskImageError(ec.message());
    if (!fs::is_regular_file(file, ec)) throw DiskImageError(systemMessage(EINVAL));

    detachLeftovers();
    const auto table = readMountTable(systemRoot_);
    if (!table) throw mountsUnknown();
    if (auto mounted = mountPointOf(allLoopDevicesBackedBy(systemRoot_, file), *table))
        co_return AttachedImage{*mounted, true};

    if (!method_) method_ = chooseMethod(machineAbilities());
    switch (*method_) {
    case Method::mountAsRoot: co_return co_await mountAsRoot(file, stop);
    case Method::udisks: co_return co_await mountWithUdisks(file, stop);
    case Method::unavailable: break;
    }
    throw DiskImageError(systemMessage(EPERM));
}

QCoro::Task<AttachedImage> LoopImageMounter::mountAsRoot(fs::path image, std::stop_token stop) {
    if (!folder_) throw DiskImageError(systemMessage(EACCES)); // the log says why it was refused
    std::error_code ec;
    std::string name = image.stem().string();
    std::optional<PrivateFolder> mountPoint;
    for (int n = 2; !(mountPoint = folder_->makeFolder(name, ec)); ++n) {
        if (ec != std::errc::file_exists) throw DiskImageError(ec.message());
        name = image.stem().string() + "-" + std::to_string(n);
    }
    // Mounted on the folder just made and checked, through its descriptor, and taken as
    // given (not resolved again by path), so no swap of a path can move the mount elsewhere.
    std::vector<std::string> command{"mount",        "--no-canonicalize",         "-o", "loop,ro,nosuid,nodev",
                                     image.string(), mountPoint->descriptorPath().string()};
    std::optional<ToolResult> result;
    try {
        result = co_await runTool(std::move(command), stop);
    } catch (...) {
        // Ended by the stop or its bound, the mount may have been made all the same: it is undone.
        mountPoint.reset();
        detach(privateFolder_ / name);
        throw;
    }
    mountPoint.reset();
    if (result->exitCode != 0) {
        folder_->removeEmptyFolder(name);
        throw DiskImageError(result->reason("mount"));
    }
    co_return AttachedImage{privateFolder_ / name, false};
}

// A loop device set up here is recorded in the private folder, so that a later run knows it
// as its own leftover: without the folder none is set up.
QCoro::Task<AttachedImage> LoopImageMounter::mountWithUdisks(fs::path image, std::stop_token stop) {
    if (!folder_) throw DiskImageError(systemMessage(EACCES)); // the log says why it was refused
    std::vector<std::string> setupCommand{"udisksctl", "loop-setup", "-r", "-f", image.string(), "--no-user-interaction"};
    // udisks makes the device whether or not its client lives to say which: a loop-setup ended
    // by the stop or its bound, or that failed, may have left one behind. Only a device backed
    // by the image that wasn't there before is deleted then: the one named by the success line
    // on standard output, or, when none was named, each such device mounted nowhere (one that
    // the user's file manager set up and mounted meanwhile is the user's). An error line names
    // no device of this attach: it may quote the image's path, and any device in it.
    const auto before = loopDeviceNamesBackedBy(systemRoot_, image);
    ToolResult setup;
    const auto namedDevice = [&setup] {
        std::string named;
        for (const std::string& line : setup.output)
            if (auto device = mappedLoopDevice(line)) named = std::move(*device);
        return named;
    };
    const auto deleteLeftDevice = [&](const std::string& named) {
        // A device mounted where the table can't be seen would be deleted under its user.
        const auto table = readMountTable(systemRoot_);
        for (const std::string& name : loopDeviceNamesBackedBy(systemRoot_, image)) {
            if (std::ranges::find(before, name) != before.end()) continue;
            const bool isThisAttachs =
                named.empty() ? table && !mountPointOf(namedLoopDeviceIfBackedBy(systemRoot_, name, image), *table)
                              : "/dev/" + name == named;
            if (isThisAttachs) deleteLoopDevice("/dev/" + name);
        }
    };
    try {
        co_await runTool(std::move(setupCommand), stop, setup);
    } catch (...) {
        deleteLeftDevice(namedDevice());
        throw;
    }
    const std::string loop = namedDevice();
    if (setup.exitCode != 0 || loop.empty()) {
        deleteLeftDevice(loop);
        throw DiskImageError(setup.reason("udisksctl"));
    }

    if (const std::error_code unrecorded = writeFileAtomically(udisksRecord(loop), image.string())) {
        deleteLoopDevice(loop);
        throw DiskImageError(unrecorded.message());
    }
    try {
        co_return co_await mountLoopDevice(loop, stop);
    } catch (...) {
        // A mount ended by the stop or its bound may have been made all the same: it is undone
        // with the device, or the next attach would take it for the user's and keep it.
        const auto table = readMountTable(systemRoot_);
        const auto devices = namedLoopDeviceIfBackedBy(systemRoot_, fs::path(loop).filename().string(), image);
        if (const auto mounted = table ? mountPointOf(devices, *table) : std::nullopt) {
            detach(*mounted);
        } else {
            deleteLoopDevice(loop);
            removeUdisksRecord(loop);
        }
        throw;
    }
}

// A whole-disk file system, else the first partition.
QCoro::Task<AttachedImage> LoopImageMounter::mountLoopDevice(std::string loop, std::stop_token stop) {
    ToolResult mounted;
    const std::vector<std::string> devices{loop, loop + "p1"};
    for (const std::string& device : devices) {
        std::vector<std::string> mountCommand{"udisksctl", "mount", "-b", device, "-o", "ro", "--no-user-interaction"};
        mounted = co_await runTool(std::move(mountCommand), stop);
        for (const std::string& line : mounted.lines)
            if (auto point = mountedAt(line); point && mounted.exitCode == 0) co_return AttachedImage{*point, false};
    }
    throw DiskImageError(mounted.reason("udisksctl"));
}

bool LoopImageMounter::isInPrivateFolder(const fs::path& path) const {
    if (!folder_) return false;
    const fs::path relative = path.lexically_normal().lexically_relative(privateFolder_.lexically_normal());
    return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

fs::path LoopImageMounter::udisksRecord(const std::string& loopDevice) const {
    return privateFolder_ / ("udisks-" + fs::path(loopDevice).filename().string());
}

void LoopImageMounter::removeUdisksRecord(const std::string& loopDevice) const {
    if (folder_) folder_->removeOwnFile(udisksRecord(loopDevice).filename());
}

void LoopImageMounter::detach(const fs::path& mountPoint) {
    const fs::path clean = mountPoint.lexically_normal();
    const auto table = readMountTable(systemRoot_);
    const MountEntry* entry = nullptr;
    if (table)
        if (const auto found = std::ranges::find(*table, clean, &MountEntry::mountPoint); found != table->end())
            entry = &*found;
    if (isInPrivateFolder(clean)) {
        // A folder of our own is unmounted by its path, whether or not the table could tell.
        if (entry || !table) unmountPrivate(clean);
        if (clean.parent_path() == privateFolder_) folder_->removeEmptyFolder(clean.filename());
    } else if (entry) {
        unmountUdisks(entry->source);
    } else if (!table) {
        log::error(logCategory, "couldn't detach " + clean.string() + ": the mount table can't be read");
    }
}

void LoopImageMounter::unmountPrivate(const fs::path& mountPoint) {
    for (int attempt = 0; attempt < plainDetachAttempts; ++attempt) {
        if (runQuietly({"umount", mountPoint.string()})) return;
        std::this_thread::sleep_for(300ms);
    }
    if (!runQuietly({"umount", "-l", mountPoint.string()}))
        log::error(logCategory, "couldn't detach " + mountPoint.string());
}

void LoopImageMounter::unmountUdisks(const std::string& device) {
    bool unmounted = false;
    for (int attempt = 0; attempt < plainDetachAttempts && !unmounted; ++attempt) {
        unmounted = runQuietly({"udisksctl", "unmount", "-b", device, "--no-user-interaction"});
        if (!unmounted) std::this_thread::sleep_for(300ms);
    }
    if (!unmounted) unmounted = runQuietly({"udisksctl", "unmount", "-f", "-b", device, "--no-user-interaction"});
    if (!unmounted) log::error(logCategory, "couldn't detach " + device);
    const std::string loop = wholeLoopDevice(device);
    deleteLoopDevice(loop);
    removeUdisksRecord(loop);
}

bool LoopImageMounter::isMounted(const fs::path& mountPoint) const {
    const auto table = readMountTable(systemRoot_);
    return !table || isMountPoint(mountPoint, *table);
}

// Only what this program leaves in its own checked folder is cleared: empty mount folders
// (rmdir, which takes nothing else) and its own records of udisks loop devices. Any other
// entry stays where it is. Without the mount table nothing is touched: a device mounted
// where it can't be seen would be deleted under its user, so every record waits for a later run.
void LoopImageMounter::detachLeftovers() {
    if (leftoversChecked_.exchange(true) || !folder_) return;
    const auto table = readMountTable(systemRoot_);
    if (!table) {
        log::error(logCategory, "left earlier images as they are: the mount table can't be read");
        return;
    }
    for (const MountEntry& entry : *table)
        if (isInPrivateFolder(entry.mountPoint)) detach(entry.mountPoint);
    // What was unmounted just now is gone from it.
    const auto remaining = readMountTable(systemRoot_);

    constexpr std::string_view recordPrefix = "udisks-";
    for (const std::string& name : folder_->names()) {
        std::error_code ec;
        if (!name.starts_with("udisks-loop") || !fs::is_regular_file(fs::symlink_status(privateFolder_ / name, ec))) {
            folder_->removeEmptyFolder(name);
            continue;
        }
        // A record only says which device this program once set up. Since then the device
        // may have been freed and taken again, or the user may mount the same image
        // elsewhere: only the named device, still backed by that image and mounted nowhere
        // (what was mounted in this folder is unmounted above), is deleted.
        if (!remaining) continue;
        const std::string loop = name.substr(recordPrefix.size());
        const std::string image = readWholeFile(privateFolder_ / name).value_or("");
        const auto devices =
            image.empty() ? std::vector<std::string>() : namedLoopDeviceIfBackedBy(systemRoot_, loop, image);
        if (!devices.empty() && !mountPointOf(devices, *remaining))
            deleteLoopDevice("/dev/" + loop);
        folder_->removeOwnFile(name);
    }
}

} // namespace zantiva
