#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

#include "Platform/DescriptorIO.h"
#include "Platform/FileDescriptor.h"
#include "Platform/ProcessEnd.h"
#include "../../Support/ChildEnd.h"

namespace zantiva {
namespace {

// The process ends with its status and with all it printed, buffered or not, and what would
// have run at exit (here a handler standing in for the libraries' destructors) doesn't run.
TEST(EndProcess, WritesWhatIsBufferedKeepsTheStatusAndSkipsTheExitTeardown) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    FileDescriptor readEnd(fds[0]), writeEnd(fds[1]);
    std::fflush(nullptr);
    const std::string end = testing::endOfChild([&]() -> int {
        ::dup2(writeEnd.get(), STDOUT_FILENO);
        std::atexit([] { std::fputs("teardown\n", stdout); });
        // Into a pipe, standard output is fully buffered: nothing has been written yet.
        std::printf("printed\n");
        std::cout << "streamed\n";
        endProcess(7);
    });
    writeEnd.reset();
    EXPECT_EQ(end, "exit 7");
    EXPECT_EQ(readUpTo(readEnd.get(), 1 << 16).value_or(""), "printed\nstreamed\n");
}

} // namespace
} // namespace zantiva
