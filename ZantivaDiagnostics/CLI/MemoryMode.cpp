#include "CLI/MemoryMode.h"

#include <cstdio>

#include "CLI/ProgressLine.h"
#include "CLI/ResultLines.h"
#include "Engines/MemoryTestEngine.h"

namespace zantiva {
namespace {

// "Verifying pass 2/3 (0xFF) 40%"
std::string progressText(const Loc& loc, int pass, std::uint8_t pattern, bool verifying, int percent) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", pattern);
    const auto passes = static_cast<int>(MemoryTestEngine::patterns.size());
    return loc.f(verifying ? "Ram.PhaseVerify" : "Ram.PhaseWrite", pass, passes, std::string(hex)) + " " +
           std::to_string(percent) + "%";
}

} // namespace

int runMemoryMode(const CommandLine&, CliContext& context) {
    const MemoryTestEngine engine;
    ProgressLine line(context.err, context.errIsTerminal, context.errColumns);
    const auto chunks = MemoryTestEngine::standardTestBytes / MemoryTestEngine::chunkBytes;
    int chunk = 0;
    int lastPass = 0;
    bool lastVerifying = false;
    const MemoryTestResult result = engine.run(
        [&](const MemoryTestProgress&, int pass, std::uint8_t pattern, bool verifying) {
            if (pass != lastPass || verifying != lastVerifying) chunk = 0;
            lastPass = pass;
            lastVerifying = verifying;
            ++chunk;
            line.update(progressText(context.loc, pass, pattern, verifying, static_cast<int>(chunk * 100 / chunks)));
        },
        CancelToken());
    line.clear();
    printResultLines(context.out, result.toJson());
    return 0;
}

} // namespace zantiva
