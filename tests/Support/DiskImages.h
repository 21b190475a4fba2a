#pragma once

// Real read-only loop mounts for the tests that need one: an ext4 image built from a folder
// with mkfs.ext4 -d, and whether this machine lets us mount it at all (root, a loop
// device, a kernel that agrees).

#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

#include "Platform/BoundedProcess.h"

namespace zantiva::testing {

// The image of the folder's content; empty when it could not be built.
inline std::filesystem::path buildExt4Image(const std::filesystem::path& content, const std::filesystem::path& image) {
    using namespace std::chrono_literals;
    const auto made = runBoundedProcess({"mkfs.ext4", "-q", "-F", "-d", content.string(), image.string(), "4M"}, 30s);
    return made && made->succeeded() ? image : std::filesystem::path();
}

// An image laid out like the Linux download of Geekbench 6.3.0, with a copy of `launcher` as
// its geekbench6; empty when it could not be built. Its content is staged beside it.
inline std::filesystem::path buildGeekbenchImage(const std::filesystem::path& launcher,
                                                 const std::filesystem::path& image) {
    const auto content = std::filesystem::path(image.string() + ".d") / "Geekbench-6.3.0-Linux";
    std::filesystem::create_directories(content);
    std::filesystem::copy_file(launcher, content / "geekbench6");
    return buildExt4Image(content.parent_path(), image);
}

// Why the image can't be loop-mounted here; absent when a trial mount in `scratch` worked.
inline std::optional<std::string> loopMountRefused(const std::filesystem::path& image,
                                                   const std::filesystem::path& scratch) {
    using namespace std::chrono_literals;
    if (::geteuid() != 0) return "mounting needs root here";
    if (!std::filesystem::exists("/dev/loop-control")) return "no loop devices";
    if (image.empty()) return "mkfs.ext4 could not build an image";
    const std::filesystem::path probe = scratch / "probe";
    std::filesystem::create_directories(probe);
    const auto mounted = runBoundedProcess({"mount", "-o", "loop,ro", image.string(), probe.string()}, 20s);
    if (!mounted || !mounted->succeeded()) return "this system refuses loop mounts";
    runBoundedProcess({"umount", probe.string()}, 20s);
    return std::nullopt;
}

} // namespace zantiva::testing
