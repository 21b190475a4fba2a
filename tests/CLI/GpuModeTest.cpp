#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "../Support/RecordingActivity.h"
#include "../Support/TemporaryFolder.h"
#include "../Support/TinyGpuConfiguration.h"
#include "CLI/GpuMode.h"
#include "Platform/AtomicFile.h"

namespace zantiva {
namespace {

struct GpuMode : ::testing::Test {
    std::ostringstream out, err;
    Loc loc{AppLanguage::english};
    CliContext context{out, err, false, loc};
    testing::TemporaryFolder folder;

    int run(std::vector<std::string> arguments) {
        return runGpuMode(CommandLine(std::move(arguments)), context, testing::tinyGpuRun());
    }
};

TEST_F(GpuMode, PrintsEachRunsResultAndWritesTheLastPreview) {
    const auto file = folder / "preview.png";
    auto activity = std::make_shared<testing::RecordingActivity>();
    context.activity = activity;
    EXPECT_EQ(run({"--gpu", "--runs", "2", "--bands", "5", "--preview", file.string()}), 0) << out.str();
    const std::string lines = out.str();
    EXPECT_EQ(lines.rfind("run: 1\n", 0), 0u) << lines;
    EXPECT_NE(lines.find("\nrun: 2\n"), std::string::npos);
    EXPECT_NE(lines.find("totalFramesRendered: 3\n"), std::string::npos);
    EXPECT_EQ(lines.find("sustainedScore"), std::string::npos); // no sustained stage
    EXPECT_TRUE(err.str().empty()); // progress only on a terminal
    EXPECT_EQ(activity->reasons, (std::vector<std::string>{"Zantiva GPU benchmark", "Zantiva GPU benchmark"}));

    const auto png = readWholeFile(file);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png->substr(12, 12), std::string("IHDR\0\0\0\x20\0\0\0\x12", 12)); // 32 × 18
}

TEST_F(GpuMode, ShowsEachFramesProgressOnATerminal) {
    CliContext terminal{out, err, true, loc};
    EXPECT_EQ(runGpuMode(CommandLine({"--gpu"}), terminal, testing::tinyGpuRun()), 0);
    const std::string shown = err.str();
    EXPECT_NE(shown.find("\rPreparing the GPU… · Elapsed 0 s"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\rWarming up until clocks settle — 1 frames · "), std::string::npos) << shown;
    EXPECT_NE(shown.find("\rScored run — frame 3 of 3 · "), std::string::npos) << shown;
    EXPECT_NE(shown.find(" ms per frame · Live score "), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 4), "\r\x1b[K"); // removed before the results
}

TEST_F(GpuMode, RefusesBadOptionsBeforeAnyRun) {
    const std::string bands = "failed: --bands needs a whole number from 1\n";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--gpu", "--bands", "0"}, bands},
        {{"--gpu", "--bands", "-3"}, bands},
        {{"--gpu", "--bands", "4x"}, bands},
        {{"--gpu", "--bands"}, bands},
        {{"--gpu", "--preview", "--runs", "1"}, "failed: --preview needs a file name\n"},
        {{"--gpu", "--runs", "0"}, "failed: --runs needs a whole number from 1 to 1000\n"},
    };
    for (const auto& [arguments, failure] : cases) {
        out.str("");
        EXPECT_EQ(run(arguments), 1) << failure;
        EXPECT_EQ(out.str(), failure);
    }
}

TEST_F(GpuMode, PreviewThatCannotBeWrittenFails) {
    const auto file = folder / "missing" / "preview.png";
    EXPECT_EQ(run({"--gpu", "--preview", file.string()}), 1);
    EXPECT_NE(out.str().find("score: "), std::string::npos); // the result still shows
    EXPECT_NE(out.str().find("failed: could not write " + file.string() + ": "), std::string::npos) << out.str();
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace zantiva
