// A Cinebench console program's printout, line by line as the service reads it.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "External/CinebenchOutput.h"
#include "External/OutputLineSplitter.h"
#include "External/ToolOutputText.h"
#include "External/ToolProgress.h"
#include "FuzzCheck.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto onLine = [](std::string_view line) {
        if (auto score = CinebenchOutput::score(line)) FUZZ_CHECK(std::isfinite(*score) && *score > 0);
        tooltext::isUnsupportedSystem(line);
        if (auto progress = toolProgress(line, true)) FUZZ_CHECK(progress->isIndeterminate && !progress->fraction);
    };
    OutputLineSplitter splitter;
    splitter.feed(std::string_view(reinterpret_cast<const char*>(data), size), onLine);
    splitter.finish(onLine);
    return 0;
}
