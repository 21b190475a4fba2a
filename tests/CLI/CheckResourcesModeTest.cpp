// The program's own resource check, run as a user runs it: beside its resource bundle, and
// copied to a folder without one.

#include <gtest/gtest.h>

#include <QString>
#include <filesystem>

#include "../Support/EnvironmentChange.h"
#include "../Support/TemporaryFolder.h"
#include "../Support/WorkingFolder.h"
#include "Platform/BoundedProcess.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    QString out;
};

// Run by its path's bytes, which a Qt text can't always hold.
Outcome checkResources(const fs::path& program) {
    const testing::EnvironmentChange x11("DISPLAY", std::nullopt), wayland("WAYLAND_DISPLAY", std::nullopt),
        platform("QT_QPA_PLATFORM", std::nullopt);
    const auto run = runBoundedProcess({program.string(), "--check-resources"}, std::chrono::seconds(60));
    if (!run) return {-1, QStringLiteral("the program did not start")};
    return {run->exitStatus, QString::fromStdString(run->output)};
}

TEST(CheckResourcesMode, FindsTheFontsLogoAndTrackBesideTheProgramAndNamesWhatIsMissing) {
    const Outcome found = checkResources(ZANTIVA_PROGRAM);
    EXPECT_EQ(found.status, 0) << found.out.toStdString();
    EXPECT_TRUE(found.out.contains("fonts: 7\nlogo: found\nspeakerTrack: ")) << found.out.toStdString();
    EXPECT_TRUE(found.out.contains("Audio/speaker-test-track.wav")) << found.out.toStdString();

    testing::TemporaryFolder alone;
    fs::copy_file(ZANTIVA_PROGRAM, alone / "zantiva-diagnostics");
    const Outcome missing = checkResources(alone / "zantiva-diagnostics");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out.toStdString(),
              "failed: missing resources: Vazirmatn-Regular, Vazirmatn-Medium, Vazirmatn-SemiBold, Vazirmatn-Bold, "
              "Vazirmatn-ExtraBold, Vazirmatn-Black, NotoSansSymbols2-Regular, logo, speaker track\n");
}

// Installed under a folder whose name holds a byte that isn't UTF-8 (0xff), which no Qt
// text can hold.
TEST(CheckResourcesMode, FindsItsResourcesUnderAFolderNamedWithAByteThatIsNotUtf8) {
    testing::TemporaryFolder scratch;
    const fs::path folder = scratch / "bin\xff";
    fs::create_directory(folder);
    fs::copy_file(ZANTIVA_PROGRAM, folder / "zantiva-diagnostics");
    const char bundle[] = "ZantivaDiagnostics_ZantivaUI.bundle";
    fs::copy(fs::path(ZANTIVA_PROGRAM).parent_path() / bundle, folder / bundle, fs::copy_options::recursive);

    const Outcome found = checkResources(folder / "zantiva-diagnostics");
    EXPECT_EQ(found.status, 0) << found.out.toStdString();
    // The lines name the folder itself, as the reader can open it, byte escaped.
    const std::string shown = (scratch / "bin\\xff" / bundle).string();
    EXPECT_EQ(found.out.toStdString(), "bundle: " + shown + "\nfonts: 7\nlogo: found\nspeakerTrack: " + shown +
                                           "/Audio/speaker-test-track.wav\n");
}

// Started by its bare name through PATH, as a shell starts it, from `folder`, which is removed
// first when asked.
Outcome checkResourcesByName(const fs::path& folder, bool removed) {
    const testing::EnvironmentChange path("PATH", fs::path(ZANTIVA_PROGRAM).parent_path().string() + ":/usr/bin:/bin");
    const testing::WorkingFolder working(folder);
    if (!working.entered()) return {-1, QStringLiteral("couldn't enter the folder")};
    if (removed) fs::remove(folder);
    return checkResources("zantiva-diagnostics");
}

// Only the program's own folders hold its resources: never a working folder, which may hold
// anyone's bundle or be gone.
TEST(CheckResourcesMode, TakesNoBundleFromTheWorkingFolderAndRunsFromOneThatWasRemoved) {
    testing::TemporaryFolder scratch;
    fs::create_directories(scratch / "ZantivaDiagnostics_ZantivaUI.bundle" / "Fonts");
    const Outcome damaged = checkResourcesByName(scratch.path(), false);
    EXPECT_EQ(damaged.status, 0) << damaged.out.toStdString();
    const auto own = QString::fromStdString(fs::path(ZANTIVA_PROGRAM).parent_path().string());
    EXPECT_TRUE(damaged.out.startsWith("bundle: " + own)) << damaged.out.toStdString();

    fs::create_directory(scratch / "removed");
    const Outcome gone = checkResourcesByName(scratch / "removed", true);
    EXPECT_EQ(gone.status, 0) << gone.out.toStdString();
    EXPECT_TRUE(gone.out.contains("fonts: 7\n")) << gone.out.toStdString();
}

} // namespace
} // namespace zantiva
