#include "CLI/MemoryMode.h"

#include "CLI/ProgressLine.h"
#include "CLI/ResultLines.h"
#include "Engines/MemoryTestEngine.h"

namespace zantiva {

int runMemoryMode(const CommandLine&, CliContext& context) {
    const MemoryTestEngine engine;
    ProgressLine line(context.err, context.errIsTerminal);
    const auto chunks = MemoryTestEngine::standardTestBytes / MemoryTestEngine::chunkBytes;
    int chunk = 0;
    int lastPass = 0;
    bool lastVerifying = false;
    const MemoryTestResult result = engine.run(
        [&](const MemoryTestProgress& p, int pass, std::uint8_t, bool verifying) {
            if (pass != lastPass || verifying != lastVerifying) chunk = 0;
            lastPass = pass;
            lastVerifying = verifying;
            ++chunk;
            line.update("memory: pass " + std::to_string(pass) + "/3 " + p.currentPhase + " " +
                        std::to_string(chunk * 100 / chunks) + "%");
        },
        CancelToken());
    line.clear();
    printResultLines(context.out, result.toJson());
    return 0;
}

} // namespace zantiva
