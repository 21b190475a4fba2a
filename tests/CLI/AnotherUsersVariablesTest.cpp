// Root started with the variables of a user's session (su -m, sudo -E): the real program, run
// as far as its fonts, makes nothing in that user's home through the configuration those
// variables name.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "../Support/CleanEnvironment.h"
#include "../Support/OtherUser.h"
#include "../Support/TemporaryFolder.h"
#include "Platform/BoundedProcess.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

// Her fontconfig file names a cache folder in her home before the system's configuration (and a
// folder of fonts no cache holds yet, so that fontconfig has a cache to write). Hers, it is not
// read: fontconfig goes by the system's configuration and writes nothing of root's in her
// home; the fonts load all the same, and standard error says what was left out and why.
TEST(AnotherUsersVariables, HerFontconfigFileLeadsRootsFontCacheNowhereNearHerHome) {
    if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    const testing::TemporaryFolder scratch;
    const fs::path herHome = scratch / "her-home", fonts = scratch / "fonts", ownHome = scratch / "own-home";
    for (const fs::path& folder : {herHome, fonts, ownHome}) fs::create_directory(folder);
    const fs::path program(ZANTIVA_PROGRAM);
    fs::copy_file(program.parent_path() / "ZantivaDiagnostics_ZantivaUI.bundle" / "Fonts" / "Vazirmatn-Regular.ttf",
                  fonts / "Vazirmatn-Regular.ttf");
    const fs::path configuration = herHome / "fonts.conf";
    std::ofstream(configuration) << "<?xml version=\"1.0\"?>\n<fontconfig>\n  <cachedir>" << (herHome / ".cache" / "myfc").string()
                                 << "</cachedir>\n  <dir>" << fonts.string()
                                 << "</dir>\n  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n</fontconfig>\n";
    ::chmod(herHome.c_str(), 0755);
    for (const fs::path& hers : {herHome, configuration}) ASSERT_EQ(::chown(hers.c_str(), testing::otherUser, testing::otherUser), 0);

    auto command = testing::withVariablesAlone(
        {"HOME=" + ownHome.string(), "PATH=/usr/bin:/bin", "FONTCONFIG_FILE=" + configuration.string()});
    command.insert(command.end(), {program.string(), "--check-resources"});
    const auto run = runBoundedProcess(command, std::chrono::seconds(60), 1 << 16, {}, 1 << 16);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->exitStatus, 0) << run->output << run->errors;
    EXPECT_EQ(testing::notTheirsIn(herHome), std::vector<std::string>{});
    EXPECT_NE(run->errors.find("zantiva-diagnostics: [folders] FONTCONFIG_FILE " + configuration.string() +
                               " belongs to user 65534: taken out of the environment, so fontconfig reads no configuration "
                               "from there, which can name where it writes its cache\n"),
              std::string::npos)
        << run->errors;
}

} // namespace
} // namespace zantiva
