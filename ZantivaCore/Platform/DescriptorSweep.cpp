#include "Platform/DescriptorSweep.h"

#include <climits>
#include <cstddef>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace zantiva {
namespace {

void sweepOne(int fd, DescriptorSweep sweep) {
    if (sweep == DescriptorSweep::close)
        ::close(fd);
    else
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// The descriptor a /proc/self/fd entry names; -1 for "." and "..".
int numberOf(const char* name) {
    if (*name == '\0') return -1;
    int number = 0;
    for (; *name != '\0'; ++name) {
        if (*name < '0' || *name > '9' || number > (INT_MAX - 9) / 10) return -1;
        number = number * 10 + (*name - '0');
    }
    return number;
}

// The listed descriptors; false when the list couldn't be read to its end.
bool sweepListed(int first, DescriptorSweep sweep) {
    const int listing = ::open("/proc/self/fd", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return false;
    alignas(dirent64) char buffer[4096];
    ssize_t got = 0;
    while ((got = ::getdents64(listing, buffer, sizeof buffer)) > 0) {
        for (ssize_t offset = 0; offset < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + offset);
            offset += entry->d_reclen;
            const int fd = numberOf(entry->d_name);
            if (fd >= first && fd != listing) sweepOne(fd, sweep);
        }
    }
    ::close(listing);
    return got == 0;
}

} // namespace

int descriptorLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur > rlim_t(INT_MAX)) return INT_MAX;
    return int(limit.rlim_cur);
}

void sweepDescriptors(int first, DescriptorSweep sweep, int limit) noexcept {
    const unsigned flags = sweep == DescriptorSweep::closeOnExec ? CLOSE_RANGE_CLOEXEC : 0;
    if (::close_range(static_cast<unsigned>(first), ~0U, flags) == 0) return;
    sweepOneByOne(first, sweep, limit);
}

void sweepOneByOne(int first, DescriptorSweep sweep, int limit) noexcept {
    if (sweepListed(first, sweep)) return;
    for (int fd = first; fd < limit; ++fd) sweepOne(fd, sweep);
}

} // namespace zantiva
