// "--external-scan" over a fake folder tree and a store in a temporary folder.

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "CLI/ExternalScanMode.h"
#include "../Support/TemporaryFolder.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

TEST(ExternalScanModeTest, ListsFoundAndChosenApplicationsWithTheirPlaces) {
    testing::TemporaryFolder root;
    const fs::path launcher = root / "opt/Geekbench-6.3.0-Linux/geekbench6";
    fs::create_directories(launcher.parent_path());
    std::ofstream(launcher) << "#!/bin/sh\n";
    fs::permissions(launcher, fs::perms(0755));
    ExternalBenchmarkStore store(root / "app");
    // A path with a line break in it can't forge a line of its own.
    store.setInstallation(ExternalBenchmarkInstallation{ExternalBenchmarkApp::cinebench2026, {},
                                                        "/gone/cinebench\nforged: yes", "2026", {}},
                          ExternalBenchmarkApp::cinebench2026);

    std::ostringstream out, err;
    Loc loc(AppLanguage::english);
    CliContext context{out, err, false, loc};
    const fs::path folders[] = {root / "opt"};
    EXPECT_EQ(runExternalScan(context, folders, store), 0);
    EXPECT_EQ(out.str(), "searched: " + (root / "opt").string() + "\n"
                         "geekbench: found\n"
                         "geekbench.name: Geekbench 6.3.0\n"
                         "geekbench.program: " + launcher.string() + "\n"
                         "geekbench.folder: " + launcher.parent_path().string() + "\n"
                         "geekbench.available: yes\n"
                         "cinebench2024: not found\n"
                         "cinebench2026: chosen\n"
                         "cinebench2026.name: Cinebench 2026\n"
                         "cinebench2026.program: /gone/cinebench\\nforged: yes\n"
                         "cinebench2026.available: no\n");
}

} // namespace
} // namespace zantiva
