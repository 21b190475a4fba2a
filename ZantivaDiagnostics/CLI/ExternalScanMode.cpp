#include "CLI/ExternalScanMode.h"

#include <string>

#include "App/AppFolder.h"
#include "CLI/ResultLines.h"
#include "External/ExternalBenchmarkLocator.h"

namespace zantiva {
namespace {

void printInstallation(std::ostream& out, const std::string& key, const ExternalBenchmarkInstallation& installation) {
    printLine(out, key + ".name", installation.displayName());
    printLine(out, key + ".program", installation.executablePath);
    if (installation.bundlePath) printLine(out, key + ".folder", *installation.bundlePath);
    if (installation.diskImagePath) printLine(out, key + ".diskImage", *installation.diskImagePath);
    printLine(out, key + ".available", installation.isAvailable() ? "yes" : "no");
}

} // namespace

int runExternalScan(CliContext& context, std::span<const std::filesystem::path> folders,
                    const ExternalBenchmarkStore& store) {
    auto& out = context.out;
    for (const auto& folder : folders) printLine(out, "searched", folder.string());
    const auto found = ExternalBenchmarkLocator::discover(folders);
    for (ExternalBenchmarkApp app : allCases<ExternalBenchmarkApp>()) {
        const std::string key(rawValue(app));
        if (auto it = found.find(app); it != found.end()) {
            printLine(out, key, "found");
            printInstallation(out, key, it->second);
        } else if (auto chosen = store.settings(app).installation) {
            printLine(out, key, "chosen");
            printInstallation(out, key, *chosen);
        } else {
            printLine(out, key, "not found");
        }
    }
    return 0;
}

int runExternalScanMode(const CommandLine&, CliContext& context) {
    const ExternalBenchmarkStore store(openAppFolder());
    return runExternalScan(context, ExternalBenchmarkLocator::defaultSearchDirectories(), store);
}

} // namespace zantiva
