// What a tool started through the launcher is given of this program: its standard streams,
// nothing more.

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "External/ProcessLauncher.h"
#include "../../Support/AwaitTask.h"
#include "../../Support/NoFreeDescriptors.h"

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

// Short of descriptors, a tool that can't be started says why, from the first start on (Qt's
// first warning in a process used to turn the reason into "No such file or directory").
TEST(ProcessLauncher, AStartShortOfDescriptorsSaysSo) {
    if (const auto why = testing::NoFreeDescriptors::unavailable()) GTEST_SKIP() << *why;
    const std::string outOfDescriptors = std::generic_category().message(EMFILE);
    for (const int room : {0, 1, 2, 3, 4, 5, 6, 7, 8, 12}) {
        std::string reason = "started";
        {
            const testing::NoFreeDescriptors none(room);
            try {
                testing::awaitTask(ProcessLauncher(ZANTIVA_TOOL_GUARD).run({"/bin/true", {}, {}}, [](std::string_view) {}, {}));
            } catch (const ProcessLaunchError& error) {
                reason = error.what();
            }
        }
        EXPECT_TRUE(reason == "started" || reason == outOfDescriptors) << room << ": " << reason;
    }
}

} // namespace
} // namespace zantiva
