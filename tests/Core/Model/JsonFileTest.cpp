// What a save says when it has no folder to write in: the cause itself, as the user meets it
// (rights are checked as another user, since root passes over them).

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "../../Support/EnvironmentChange.h"
#include "../../Support/OtherUser.h"
#include "../../Support/TemporaryFolder.h"
#include "Model/JsonFile.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

TEST(JsonFileFolder, ASaveNamesTheCauseNotAMissingHomeOrAMissingFolder) {
    testing::TemporaryFolder scratch;
    const fs::path home = testing::sharedTemporaryIn(scratch.path()) / "home";
    const fs::path data = home / "data", closed = data / "ZantivaDiagnostics";
    fs::create_directories(closed);
    for (const fs::path& folder : {home, data, closed}) ::chown(folder.c_str(), testing::otherUser, testing::otherUser);
    ::chmod(home.c_str(), 0500); // the user's home, where nothing can be made
    ::chmod(closed.c_str(), 0);  // an app folder that even its owner can't open
    const testing::EnvironmentChange dataHome("XDG_DATA_HOME", data.string());

    const auto answer = testing::answerAsOtherUser([&] {
        return jsonfile::save(home / ".local" / "share" / "ZantivaDiagnostics" / "settings.json", json::Json::object(),
                              "settings")
                   .reason +
               "\n" + jsonfile::saveWithoutFolder("settings.json", "settings").reason;
    });
    if (!answer) GTEST_SKIP() << "acting as another user needs root";
    EXPECT_EQ(*answer, "its folder " + (home / ".local" / "share" / "ZantivaDiagnostics").string() +
                           " can't be used as a private folder of this user's: couldn't make " +
                           (home / ".local").string() + ": Permission denied\n" + closed.string() +
                           " is not a private folder of this user's: Permission denied");
}

} // namespace
} // namespace zantiva
