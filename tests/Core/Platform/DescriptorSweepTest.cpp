// The sweep of descriptors that a forked child makes before its exec: the one-by-one way that
// kernels without close_range (before 5.9, or 5.11 to mark) take, from the listing of
// /proc/self/fd and, where that can't be opened, up to the limit read before.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

#include "../../Support/NoFreeDescriptors.h"
#include "Platform/DescriptorSweep.h"

namespace zantiva {
namespace {

// In a child of its own: three descriptors left open across an exec; the sweep from the
// second on must leave the first alone and reach the other two, whatever their numbers.
bool sweepsFromTheSecond(DescriptorSweep sweep, bool withoutFreeDescriptors) {
    const pid_t child = ::fork();
    if (child == 0) {
        const int kept = ::open("/dev/null", O_RDONLY);
        const int swept = ::open("/dev/null", O_RDONLY);
        const int high = ::fcntl(swept, F_DUPFD, 900);
        const int limit = descriptorLimit();
        {
            // Where /proc/self/fd can't be opened, the numbers up to the limit read before.
            std::optional<testing::NoFreeDescriptors> none;
            if (withoutFreeDescriptors) none.emplace();
            sweepOneByOne(swept, sweep, limit);
        }
        const auto flags = [](int fd) { return ::fcntl(fd, F_GETFD); };
        const bool reached = sweep == DescriptorSweep::close ? flags(swept) == -1 && flags(high) == -1
                                                             : flags(swept) == FD_CLOEXEC && flags(high) == FD_CLOEXEC;
        ::_exit(high > swept && reached && flags(kept) == 0 ? 0 : 1);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(DescriptorSweep, OneByOneClosesOrMarksEveryDescriptorFromTheFirstAndNoneBelow) {
    for (const auto sweep : {DescriptorSweep::close, DescriptorSweep::closeOnExec}) {
        EXPECT_TRUE(sweepsFromTheSecond(sweep, false)) << "listed, " << int(sweep);
        if (testing::NoFreeDescriptors::unavailable()) continue;
        EXPECT_TRUE(sweepsFromTheSecond(sweep, true)) << "up to the limit, " << int(sweep);
    }
}

} // namespace
} // namespace zantiva
