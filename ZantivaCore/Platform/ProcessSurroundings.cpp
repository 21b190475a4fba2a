#include "Platform/ProcessSurroundings.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Log.h"

namespace zantiva {
namespace {

constexpr rlim_t usualDescriptorLimit = 1024;

void onBrokenPipe(int) {}

// Qt, for one, makes its runtime-<user> folder in TMPDIR when there is no XDG_RUNTIME_DIR. Root's
// folders are the system's, and stay.
void leaveOthersTemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    struct stat info {};
    if (!folder || ::stat(folder, &info) != 0 || info.st_uid == ::geteuid() || info.st_uid == 0) return;
    log::error("folders", std::string("TMPDIR ") + folder + " belongs to user " + std::to_string(info.st_uid) +
                              ": nothing is made there; /tmp serves instead");
    ::unsetenv("TMPDIR");
}

} // namespace

void settleIntoSurroundings() {
    struct sigaction brokenPipe {};
    brokenPipe.sa_handler = onBrokenPipe;
    brokenPipe.sa_flags = SA_RESTART;
    sigemptyset(&brokenPipe.sa_mask);
    ::sigaction(SIGPIPE, &brokenPipe, nullptr);
    leaveOthersTemporaryFolder();

    rlimit descriptors{};
    if (::getrlimit(RLIMIT_NOFILE, &descriptors) != 0 || descriptors.rlim_cur >= usualDescriptorLimit) return;
    descriptors.rlim_cur = std::min(descriptors.rlim_max, usualDescriptorLimit);
    ::setrlimit(RLIMIT_NOFILE, &descriptors);
}

} // namespace zantiva
