#include <gtest/gtest.h>

#include <string>

#include "../Support/EnvironmentChange.h"
#include "Platform/BoundedProcess.h"

namespace zantiva {
namespace {

// The window's launch, on a display nobody answers (the window is never made): under a limit
// it can't raise far enough it fails at once and says how to mend it; under a low soft limit
// with room above it, it raises the limit and goes on to the display.
TEST(FewDescriptors, TheWindowFailsAtOnceNamingUlimitUnlessItCanRaiseTheLimit) {
    const testing::EnvironmentChange x11("DISPLAY", ":4711"), wayland("WAYLAND_DISPLAY", std::nullopt),
        platform("QT_QPA_PLATFORM", std::nullopt);
    const auto windowUnder = [](const std::string& limits) {
        const auto run = runBoundedProcess({"prlimit", "--nofile=" + limits, ZANTIVA_PROGRAM}, std::chrono::seconds(60),
                                           1 << 20, {}, 1 << 16);
        return run ? *run : BoundedProcessResult{};
    };
    for (const std::string limit : {"16", "20", "100"}) {
        const auto window = windowUnder(limit + ":" + limit);
        EXPECT_EQ(window.exitStatus, 1) << limit;
        EXPECT_EQ(window.errors, "failed: the window needs 128 open files, and only " + limit +
                                     " are allowed: raise the limit (ulimit -n 128) and start it again\n");
    }
    const auto raised = windowUnder("16:4096");
    EXPECT_EQ(raised.exitStatus, 1);
    EXPECT_EQ(raised.output, "failed: can't open the display (DISPLAY=:4711)\n");
}

} // namespace
} // namespace zantiva
