#include "External/MountTable.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "External/ToolOutputText.h"
#include "Model/SpecText.h"
#include "Platform/AtomicFile.h"
#include "Platform/KernelFile.h"
#include "Platform/MountInfo.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& file) {
    return std::string(specText::trimmed(readWholeFile(file).value_or("")));
}

fs::path under(const fs::path& root, const fs::path& absolute) { return root / absolute.relative_path(); }

} // namespace

std::optional<std::vector<MountEntry>> readMountTable(const fs::path& root) {
    const auto text = readKernelFile(under(root, "/proc/self/mountinfo"), std::numeric_limits<std::size_t>::max());
    if (!text) return std::nullopt;
    std::vector<MountEntry> table;
    for (MountInfoEntry& entry : parseMountInfo(*text))
        table.push_back({std::move(entry.device), std::move(entry.mountPoint), std::move(entry.source)});
    return table;
}

std::vector<std::string> namedLoopDeviceIfBackedBy(const fs::path& root, const std::string& name,
                                                   const fs::path& image) {
    std::vector<std::string> devices;
    const fs::path loop = under(root, "/sys/block") / name;
    if (!name.starts_with("loop") || name.find('/') != std::string::npos ||
        fileText(loop / "loop" / "backing_file") != image.string())
        return devices;
    devices.push_back(fileText(loop / "dev"));
    std::error_code ec;
    for (fs::directory_iterator part(loop, ec), end; !ec && part != end; part.increment(ec))
        if (part->path().filename().string().starts_with(name + "p")) devices.push_back(fileText(part->path() / "dev"));
    return devices;
}

namespace {

// Each loop device backed by the file: its name, and the numbers of it and of its partitions.
std::vector<std::pair<std::string, std::vector<std::string>>> loopDevicesBackedBy(const fs::path& root,
                                                                                   const fs::path& image) {
    std::vector<std::pair<std::string, std::vector<std::string>>> found;
    std::error_code ec;
    for (fs::directory_iterator it(under(root, "/sys/block"), ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (auto devices = namedLoopDeviceIfBackedBy(root, name, image); !devices.empty())
            found.emplace_back(std::move(name), std::move(devices));
    }
    return found;
}

} // namespace

std::vector<std::string> loopDeviceNamesBackedBy(const fs::path& root, const fs::path& image) {
    std::vector<std::string> names;
    for (auto& [name, devices] : loopDevicesBackedBy(root, image)) names.push_back(std::move(name));
    return names;
}

std::vector<std::string> allLoopDevicesBackedBy(const fs::path& root, const fs::path& image) {
    std::vector<std::string> all;
    for (const auto& [name, devices] : loopDevicesBackedBy(root, image)) all.insert(all.end(), devices.begin(), devices.end());
    return all;
}

std::optional<fs::path> mountPointOf(const std::vector<std::string>& devices, const std::vector<MountEntry>& table) {
    for (const MountEntry& entry : table)
        if (std::find(devices.begin(), devices.end(), entry.device) != devices.end()) return entry.mountPoint;
    return std::nullopt;
}

bool isMountPoint(const fs::path& path, const std::vector<MountEntry>& table) {
    const fs::path clean = path.lexically_normal();
    return std::any_of(table.begin(), table.end(), [&](const MountEntry& e) { return e.mountPoint == clean; });
}

} // namespace zantiva
