#include "Model/JsonFile.h"

#include <gtest/gtest.h>

#include "../../Support/TemporaryFolder.h"
#include "Platform/AtomicFile.h"

namespace fs = std::filesystem;
using namespace zantiva;
using zantiva::testing::TemporaryFolder;

TEST(JsonFile, WritesSortedPrettyTextThatSurvivesInvalidUtf8) {
    const json::Json value = {{"b", {1, 2}}, {"a", {{"z", "x"}, {"y", json::Json::object()}}}, {"path", "/mnt/\xff\xfe"}};
    EXPECT_EQ(jsonfile::encode(value), "{\n  \"a\": {\n    \"y\": {},\n    \"z\": \"x\"\n  },\n  \"b\": [\n    1,\n"
                                       "    2\n  ],\n  \"path\": \"/mnt/\xEF\xBF\xBD\xEF\xBF\xBD\"\n}\n");

    TemporaryFolder folder;
    const fs::path file = folder / "new" / "folder" / "data.json";
    ASSERT_TRUE(jsonfile::save(file, value, "store"));
    const auto loaded = jsonfile::load(file);
    ASSERT_TRUE(loaded);
    EXPECT_EQ((*loaded)["path"], "/mnt/\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(jsonfile::load(folder / "missing.json"), std::nullopt);
}

TEST(JsonFile, FailedSaveAnswersFalseAndChangesNothing) {
    TemporaryFolder folder;
    ASSERT_TRUE(jsonfile::save(folder / "data.json", {{"old", true}}, "store"));
    EXPECT_FALSE(jsonfile::save(folder / "data.json" / "inner.json", {{"new", true}}, "store"));
    fs::create_directory(folder / "blocker");
    EXPECT_FALSE(jsonfile::save(folder / "blocker", {{"new", true}}, "store"));
    EXPECT_EQ(jsonfile::load(folder / "data.json"), (json::Json{{"old", true}}));
    EXPECT_TRUE(fs::is_directory(folder / "blocker"));
}
