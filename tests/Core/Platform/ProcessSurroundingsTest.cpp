#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Platform/BoundedProcess.h"
#include "Platform/Log.h"
#include "Platform/ProcessSurroundings.h"

namespace zantiva {
namespace {

// Runs `body` in a child with SIGPIPE at its default, as a shell starts a program, after
// settleIntoSurroundings(); the child's exit status, or 128 + the signal that ended it.
int settledChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGPIPE, SIG_DFL);
        settleIntoSurroundings();
        ::_exit(body());
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// A log whose reader went away (standard error a pipe with no reading end) fails the write,
// and the program goes on; what the program starts gets SIGPIPE's default back.
TEST(ProcessSurroundings, ALogNobodyReadsNoLongerEndsTheProgram) {
    EXPECT_EQ(settledChild([] {
                  int ends[2];
                  if (::pipe(ends) != 0 || ::dup2(ends[1], STDERR_FILENO) < 0) return 2;
                  ::close(ends[0]);
                  log::error("test", "nobody reads this");
                  log::error("test", "nor this");
                  return 0;
              }),
              0);
    EXPECT_EQ(settledChild([] {
                  // Bit 13 (SIGPIPE) of the caught or ignored signals a started program shows.
                  const auto run = runBoundedProcess({"grep", "-E", "^Sig(Ign|Cgt):", "/proc/self/status"}, std::chrono::seconds(10));
                  if (!run) return 2;
                  for (std::size_t at = 0; (at = run->output.find(':', at)) != std::string::npos; ++at)
                      if (std::stoull(run->output.substr(at + 1), nullptr, 16) & (1ULL << (SIGPIPE - 1))) return 1;
                  return 0;
              }),
              0);
}

// A soft limit below 1024 is raised toward the hard one, never past 1024 nor past the hard.
TEST(ProcessSurroundings, RaisesALowSoftLimitOnDescriptors) {
    const auto raisedTo = [](rlim_t soft, rlim_t hard, rlim_t expected) {
        return settledChild([=] {
            const rlimit limit{soft, hard};
            if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return 2;
            settleIntoSurroundings();
            rlimit now{};
            return ::getrlimit(RLIMIT_NOFILE, &now) == 0 && now.rlim_cur == expected && now.rlim_max == hard ? 0 : 1;
        });
    };
    EXPECT_EQ(raisedTo(16, 16, 16), 0);
    EXPECT_EQ(raisedTo(16, 200, 200), 0);
    EXPECT_EQ(raisedTo(16, 4096, 1024), 0);
    EXPECT_EQ(raisedTo(2048, 4096, 2048), 0);
}

} // namespace
} // namespace zantiva
