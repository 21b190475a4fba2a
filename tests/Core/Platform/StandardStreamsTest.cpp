#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "Platform/DescriptorIO.h"
#include "Platform/StandardStreams.h"
#include "../../Support/FullPipe.h"

namespace zantiva {
namespace {

// Both streams full for a moment while the program writes more than a pipe holds: every byte
// of both arrives, in order, and neither stream is failed.
TEST(WholeStandardWrites, NonBlockingStandardStreamsFullForAMomentTakeEveryByte) {
    testing::FullPipe out, err;
    std::string lines, toolLines;
    for (int i = 0; i < 20000; ++i) {
        lines += "line " + std::to_string(i) + "\n";
        toolLines += "tool " + std::to_string(i) + "\n";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out.writeEnd.get(), STDOUT_FILENO);
        ::dup2(err.writeEnd.get(), STDERR_FILENO);
        bool good = false;
        {
            const WholeStandardWrites whole;
            for (int i = 0; i < 20000; ++i) {
                std::cout << "line " << i << '\n';
                std::cerr << "tool " << i << '\n';
            }
            good = bool(std::cout.flush()) && bool(std::cerr.flush());
        }
        ::_exit(good ? 0 : 1);
    }
    ASSERT_GT(child, 0);
    out.writeEnd.reset();
    err.writeEnd.reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    // Both at once: the writer may wait on either.
    std::string outRead, errRead;
    std::thread errReader([&] { errRead = readUpTo(err.readEnd.get(), 1 << 24).value_or(""); });
    outRead = readUpTo(out.readEnd.get(), 1 << 24).value_or("");
    errReader.join();
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(outRead == out.filling + lines) << outRead.size() << " of " << out.filling.size() + lines.size();
    EXPECT_TRUE(errRead == err.filling + toolLines) << errRead.size() << " of " << err.filling.size() + toolLines.size();
}

} // namespace
} // namespace zantiva
