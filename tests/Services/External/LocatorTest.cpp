// The locator on fake folder trees made in a temporary folder.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "External/ExternalBenchmarkLocator.h"
#include "../../Support/TemporaryFolder.h"
#include "../../Support/ThrownBy.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using Kind = ExternalBenchmarkLocatorError::Kind;
using ExternalBenchmarkLocator::discover;
using ExternalBenchmarkLocator::resolve;

fs::path makeFile(const fs::path& path, bool executable = true) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "#!/bin/sh\n";
    fs::permissions(path, executable ? fs::perms(0755) : fs::perms(0644));
    return path;
}

constexpr auto errorOf = [](auto call) { return testing::thrownBy<ExternalBenchmarkLocatorError>(call); };

class LocatorTest : public ::testing::Test {
protected:
    testing::TemporaryFolder root;
};

TEST_F(LocatorTest, DiscoveryFindsTheHighestGeekbenchAndNeverCinebench) {
    makeFile(root / "opt/Geekbench-6.3.0-Linux/geekbench6");
    makeFile(root / "opt/Geekbench-6.10.1-Linux/geekbench6");
    makeFile(root / "opt/Geekbench-7.0.0-Linux/README");            // no launcher: not an installation
    makeFile(root / "opt/Geekbench-9.0.0-Linux/geekbench9", false); // not executable
    makeFile(root / "home/Applications/Cinebench2026/cinebench");
    const fs::path folders[] = {root / "opt", root / "home/Applications", root / "missing"};

    const auto found = discover(folders);
    ASSERT_EQ(found.size(), 1u);
    const ExternalBenchmarkInstallation& geekbench = found.at(ExternalBenchmarkApp::geekbench);
    EXPECT_EQ(geekbench.version, "6.10.1");
    EXPECT_EQ(geekbench.executablePath, (root / "opt/Geekbench-6.10.1-Linux/geekbench6").string());
    EXPECT_EQ(geekbench.bundlePath, (root / "opt/Geekbench-6.10.1-Linux").string());
    EXPECT_EQ(geekbench.displayName(), "Geekbench 6.10.1");
    EXPECT_TRUE(geekbench.isAvailable());
}

TEST_F(LocatorTest, VersionsBeyondAnyIntegerStillCompareNumberByNumber) {
    const std::string huge = "99999999999999999999";
    makeFile(root / "opt/Geekbench-6.3.0-Linux/geekbench6");
    makeFile(root / ("opt/Geekbench-6." + huge + "-Linux/geekbench6"));
    const fs::path best = makeFile(root / ("opt/Geekbench-6." + huge + "-Linux/geekbench" + huge));
    const fs::path folders[] = {root / "opt"};
    const auto found = discover(folders);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.at(ExternalBenchmarkApp::geekbench).version, "6." + huge);
    EXPECT_EQ(found.at(ExternalBenchmarkApp::geekbench).executablePath, best.string());
}

TEST_F(LocatorTest, DefaultFoldersAreOptThenApplicationsAtHome) {
    const auto folders = ExternalBenchmarkLocator::searchDirectories(fs::path("/home/ana"));
    EXPECT_EQ(folders, (std::vector<fs::path>{"/opt", "/home/ana/Applications"}));
    EXPECT_EQ(ExternalBenchmarkLocator::searchDirectories(std::nullopt), std::vector<fs::path>{"/opt"});
}

TEST_F(LocatorTest, AChosenGeekbenchFolderOrLauncherIsValidated) {
    const fs::path launcher = makeFile(root / "Geekbench-6.3.0-Linux/geekbench6");
    EXPECT_EQ(resolve(root / "Geekbench-6.3.0-Linux", ExternalBenchmarkApp::geekbench).executablePath, launcher.string());
    EXPECT_EQ(resolve(launcher, ExternalBenchmarkApp::geekbench).version, "6.3.0");

    makeFile(root / "Geekbench-5-Linux/README");
    EXPECT_EQ(errorOf([&] { resolve(root / "Geekbench-5-Linux", ExternalBenchmarkApp::geekbench); }),
              ExternalBenchmarkLocatorError::noCommandLineTool("Geekbench-5-Linux"));
    const fs::path other = makeFile(root / "tools/stress");
    EXPECT_EQ(errorOf([&] { resolve(other, ExternalBenchmarkApp::geekbench); }),
              ExternalBenchmarkLocatorError::notThisApp("stress", ExternalBenchmarkApp::geekbench));
    const fs::path plain = makeFile(root / "notes.txt", false);
    EXPECT_EQ(errorOf([&] { resolve(plain, ExternalBenchmarkApp::geekbench); }),
              ExternalBenchmarkLocatorError::notExecutable(plain.string()));
    EXPECT_EQ(errorOf([&] { resolve(root / "gone", ExternalBenchmarkApp::cinebench2024); }).kind(), Kind::notExecutable);
}

TEST_F(LocatorTest, ACinebenchProgramIsTakenByNameAndYear) {
    const fs::path program = makeFile(root / "Cinebench 2024/run-console");
    const auto installation = resolve(program, ExternalBenchmarkApp::cinebench2024);
    EXPECT_EQ(installation.version, "2024");
    EXPECT_EQ(installation.displayName(), "Cinebench 2024");

    EXPECT_EQ(errorOf([&] { resolve(program, ExternalBenchmarkApp::cinebench2026); }),
              ExternalBenchmarkLocatorError::wrongVersion("2024", ExternalBenchmarkApp::cinebench2026));
    // No year anywhere: the card the user chose it on decides.
    const fs::path wrapper = makeFile(root / "bench/cinebench-wine");
    EXPECT_EQ(resolve(wrapper, ExternalBenchmarkApp::cinebench2026).app, ExternalBenchmarkApp::cinebench2026);
    // A folder: its Cinebench program inside.
    EXPECT_EQ(resolve(root / "bench", ExternalBenchmarkApp::cinebench2026).executablePath, wrapper.string());
    const fs::path unrelated = makeFile(root / "tools/2026/render");
    EXPECT_EQ(errorOf([&] { resolve(unrelated, ExternalBenchmarkApp::cinebench2026); }).kind(), Kind::notThisApp);
}

TEST_F(LocatorTest, OnAMountedVolumePathsAreRelativeAndTheImageIsRecorded) {
    const fs::path volume = root / "volume";
    makeFile(volume / "Geekbench-6.3.0-Linux/geekbench6");
    makeFile(volume / "CB2026/Cinebench");
    const fs::path image = root / "tools.iso";

    const auto geekbench = ExternalBenchmarkLocator::resolveOnMountedImage(volume, image, ExternalBenchmarkApp::geekbench);
    EXPECT_EQ(geekbench.executablePath, "Geekbench-6.3.0-Linux/geekbench6");
    EXPECT_EQ(geekbench.version, "6.3.0");
    EXPECT_EQ(geekbench.diskImagePath, image.string());
    EXPECT_EQ(geekbench.resolvedDiskImage(), image);
    EXPECT_FALSE(geekbench.isAvailable()); // the image file itself does not exist

    const auto cinebench =
        ExternalBenchmarkLocator::resolveOnMountedImage(volume, image, ExternalBenchmarkApp::cinebench2026);
    EXPECT_EQ(cinebench.executablePath, "CB2026/Cinebench");
    EXPECT_EQ(errorOf([&] {
                  ExternalBenchmarkLocator::resolveOnMountedImage(volume, image, ExternalBenchmarkApp::cinebench2024);
              }),
              ExternalBenchmarkLocatorError::notOnDiskImage("tools.iso", ExternalBenchmarkApp::cinebench2024));
}

TEST_F(LocatorTest, AnInstallationNamingAnImageNeedsMigration) {
    ExternalBenchmarkInstallation stored{ExternalBenchmarkApp::geekbench, {}, "/home/ana/Geekbench.ISO", {}, {}};
    EXPECT_TRUE(stored.needsDiskImageMigration());
    stored.diskImagePath = "/home/ana/Geekbench.ISO";
    EXPECT_FALSE(stored.needsDiskImageMigration());
}

} // namespace
} // namespace zantiva
