// The program's own resource check, run as a user runs it: beside its resource bundle, and
// copied to a folder without one.

#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>

#include "../Support/TemporaryFolder.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    QString out;
};

Outcome checkResources(const fs::path& program) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QString::fromStdString(program.string()), {QStringLiteral("--check-resources")});
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

TEST(CheckResourcesMode, FindsTheFontsLogoAndTrackBesideTheProgramAndNamesWhatIsMissing) {
    const Outcome found = checkResources(ZANTIVA_PROGRAM);
    EXPECT_EQ(found.status, 0) << found.out.toStdString();
    EXPECT_TRUE(found.out.contains("fonts: 6\nlogo: found\nspeakerTrack: ")) << found.out.toStdString();
    EXPECT_TRUE(found.out.contains("Audio/speaker-test-track.wav")) << found.out.toStdString();

    testing::TemporaryFolder alone;
    fs::copy_file(ZANTIVA_PROGRAM, alone / "zantiva-diagnostics");
    const Outcome missing = checkResources(alone / "zantiva-diagnostics");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out.toStdString(),
              "failed: missing resources: Vazirmatn-Regular, Vazirmatn-Medium, Vazirmatn-SemiBold, Vazirmatn-Bold, "
              "Vazirmatn-ExtraBold, Vazirmatn-Black, logo, speaker track\n");
}

} // namespace
} // namespace zantiva
