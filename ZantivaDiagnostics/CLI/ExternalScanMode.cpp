#include "CLI/ExternalScanMode.h"

#include <string>

#include "External/ExternalBenchmarkLocator.h"
#include "Model/AppPaths.h"

namespace zantiva {
namespace {

void printInstallation(std::ostream& out, const std::string& key, const ExternalBenchmarkInstallation& installation) {
    out << key << ".name: " << installation.displayName() << '\n';
    out << key << ".program: " << installation.executablePath << '\n';
    if (installation.bundlePath) out << key << ".folder: " << *installation.bundlePath << '\n';
    if (installation.diskImagePath) out << key << ".diskImage: " << *installation.diskImagePath << '\n';
    out << key << ".available: " << (installation.isAvailable() ? "yes" : "no") << '\n';
}

} // namespace

int runExternalScan(CliContext& context, std::span<const std::filesystem::path> folders,
                    const ExternalBenchmarkStore& store) {
    auto& out = context.out;
    for (const auto& folder : folders) out << "searched: " << folder.string() << '\n';
    const auto found = ExternalBenchmarkLocator::discover(folders);
    for (ExternalBenchmarkApp app : allCases<ExternalBenchmarkApp>()) {
        const std::string key(rawValue(app));
        if (auto it = found.find(app); it != found.end()) {
            out << key << ": found\n";
            printInstallation(out, key, it->second);
        } else if (auto chosen = store.settings(app).installation) {
            out << key << ": chosen\n";
            printInstallation(out, key, *chosen);
        } else {
            out << key << ": not found\n";
        }
    }
    return 0;
}

int runExternalScanMode(const CommandLine&, CliContext& context) {
    const ExternalBenchmarkStore store(AppPaths::applicationSupport());
    return runExternalScan(context, ExternalBenchmarkLocator::defaultSearchDirectories(), store);
}

} // namespace zantiva
