// What a tool started through the launcher is given of this program: its standard streams,
// nothing more.

#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "External/ProcessLauncher.h"
#include "../../Support/AwaitTask.h"

namespace zantiva {
namespace {

// A descriptor this program holds without close-on-exec, as one it was itself started with:
// a tool, its guard or the request program would hold it open too.
TEST(ProcessLauncher, ADescriptorNotMarkedCloseOnExecStaysOutOfTheTool) {
    const int held = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(held, 3);
    const std::string path = "/proc/$$/fd/" + std::to_string(held);
    ProcessRequest request{"/bin/sh", {"-c", "[ -e " + path + " ] && echo held || echo closed"}, {}};
    std::vector<std::string> lines;
    const ProcessExit exit = testing::awaitTask(ProcessLauncher(ZANTIVA_TOOL_GUARD).run(
        request, [&](std::string_view line) { lines.emplace_back(line); }, {}));
    ::close(held);
    EXPECT_EQ(exit.exitCode, 0);
    EXPECT_EQ(lines, std::vector<std::string>{"closed"});
}

} // namespace
} // namespace zantiva
