// Geekbench's printout as its tool writes it, line by line as the service reads it, and
// the result page's score rows: a found result address lies within the line it came from.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "External/GeekbenchOutput.h"
#include "External/OutputLineSplitter.h"
#include "External/ToolOutputText.h"
#include "External/ToolProgress.h"
#include "FuzzCheck.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view output(reinterpret_cast<const char*>(data), size);
    GeekbenchOutput::ScoreTable printed;
    auto onLine = [&](std::string_view line) {
        if (auto score = GeekbenchOutput::printedScore(line)) printed[score->first] = score->second;
        if (auto url = GeekbenchOutput::resultURL(line)) {
            FUZZ_CHECK(url->starts_with("https://" + std::string(GeekbenchOutput::resultBrowserHost) + "/v"));
            FUZZ_CHECK(line.find(*url) != std::string_view::npos);
        }
        GeekbenchOutput::isUploadStart(line);
        GeekbenchOutput::isUploadFailure(line);
        tooltext::isUnsupportedSystem(line);
        if (auto progress = toolProgress(line, false); progress && progress->fraction)
            FUZZ_CHECK(*progress->fraction >= 0 && *progress->fraction <= 1);
    };
    OutputLineSplitter splitter;
    splitter.feed(output, onLine);
    splitter.finish(onLine);
    GeekbenchOutput::result(printed, false);
    GeekbenchOutput::result(printed, true);
    GeekbenchOutput::result(GeekbenchOutput::pageScores(output), false);
    return 0;
}
