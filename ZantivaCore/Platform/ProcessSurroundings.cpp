#include "Platform/ProcessSurroundings.h"

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

#include "Platform/FolderVariables.h"

namespace zantiva {
namespace {

constexpr rlim_t usualDescriptorLimit = 1024;

void onBrokenPipe(int) {}

} // namespace

void settleIntoSurroundings() {
    struct sigaction brokenPipe {};
    brokenPipe.sa_handler = onBrokenPipe;
    brokenPipe.sa_flags = SA_RESTART;
    sigemptyset(&brokenPipe.sa_mask);
    ::sigaction(SIGPIPE, &brokenPipe, nullptr);
    keepFolderVariablesOwn();

    rlimit descriptors{};
    if (::getrlimit(RLIMIT_NOFILE, &descriptors) != 0 || descriptors.rlim_cur >= usualDescriptorLimit) return;
    descriptors.rlim_cur = std::min(descriptors.rlim_max, usualDescriptorLimit);
    ::setrlimit(RLIMIT_NOFILE, &descriptors);
}

} // namespace zantiva
