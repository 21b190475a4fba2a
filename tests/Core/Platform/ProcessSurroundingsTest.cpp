#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <tuple>
#include <unistd.h>

#include "Platform/BoundedProcess.h"
#include "Platform/Log.h"
#include "Platform/ProcessSurroundings.h"
#include "../../Support/ChildEnd.h"

namespace zantiva {
namespace {

// A log whose reader went away (standard error a pipe with no reading end) fails the write,
// and the program goes on, started with SIGPIPE at its default as a shell starts it; what the
// program starts gets that default back.
TEST(ProcessSurroundings, ALogNobodyReadsNoLongerEndsTheProgram) {
    EXPECT_EQ(testing::endOfChild([] {
        ::signal(SIGPIPE, SIG_DFL);
        settleIntoSurroundings();
        const auto started = runBoundedProcess({"sh", "-c", "kill -PIPE $$"}, std::chrono::seconds(10));
        if (!started || started->timedOut || started->exitStatus != -1) return 1;   // not ended by it
        int ends[2];
        if (::pipe(ends) != 0 || ::dup2(ends[1], STDERR_FILENO) < 0) return 2;
        ::close(ends[0]);
        log::error("test", "nobody reads this");
        log::error("test", "nor this");
        return 0;
    }), "exit 0");
}

// A soft limit below 1024 is raised toward the hard one, never past 1024 nor past the hard.
TEST(ProcessSurroundings, RaisesALowSoftLimitOnDescriptors) {
    using Limits = std::tuple<rlim_t, rlim_t, rlim_t>;   // soft, hard, soft once settled
    for (const auto& [soft, hard, raised] : {Limits{16, 200, 200}, Limits{16, 4096, 1024}, Limits{2048, 4096, 2048}}) {
        EXPECT_EQ(testing::endOfChild([&] {
            const rlimit limit{soft, hard};
            if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return 2;
            settleIntoSurroundings();
            rlimit now{};
            ::getrlimit(RLIMIT_NOFILE, &now);
            return now.rlim_cur == raised && now.rlim_max == hard ? 0 : 1;
        }), "exit 0") << soft << ":" << hard;
    }
}

} // namespace
} // namespace zantiva
