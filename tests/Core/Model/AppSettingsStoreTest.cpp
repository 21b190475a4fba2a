#include "Model/AppSettingsStore.h"

#include <gtest/gtest.h>

#include "../../Support/DeepJson.h"
#include "../../Support/TemporaryFolder.h"
#include "Model/JsonFile.h"
#include "Platform/AtomicFile.h"

namespace fs = std::filesystem;
using namespace zantiva;
using zantiva::testing::TemporaryFolder;
using zantiva::testing::writeRaw;

namespace {

AppSettings readFrom(const TemporaryFolder& folder, const std::string& text) {
    writeRaw(folder / "settings.json", text);
    return AppSettingsStore(folder.path()).current();
}

} // namespace

TEST(AppSettingsStore, StartsFromDefaultsAndWritesOnlyRealChanges) {
    TemporaryFolder folder;
    const fs::path directory = folder / "nested" / "app";
    AppSettingsStore store(directory);
    EXPECT_EQ(store.current(), AppSettings{});
    EXPECT_EQ(store.current().language, AppLanguage::persian);
    EXPECT_EQ(store.fileURL(), directory / "settings.json");

    store.setLanguage(AppLanguage::persian);
    store.setDismissedUpdateVersion(std::nullopt);
    EXPECT_FALSE(fs::exists(directory));

    store.setLanguage(AppLanguage::english);
    EXPECT_EQ(readWholeFile(directory / "settings.json"), "{\n  \"language\": \"en\"\n}\n");

    store.setDismissedUpdateVersion("3.1");
    EXPECT_EQ(readWholeFile(directory / "settings.json"),
              "{\n  \"dismissed_update_version\": \"3.1\",\n  \"language\": \"en\"\n}\n");

    // The same version again writes nothing: an outside edit survives.
    writeRaw(directory / "settings.json", "edited");
    store.setDismissedUpdateVersion("3.1");
    EXPECT_EQ(readWholeFile(directory / "settings.json"), "edited");

    store.setDismissedUpdateVersion(std::nullopt);
    EXPECT_EQ(readWholeFile(directory / "settings.json"), "{\n  \"language\": \"en\"\n}\n");
    EXPECT_EQ(AppSettingsStore(directory).current(), (AppSettings{AppLanguage::english, std::nullopt}));
}

TEST(AppSettingsStore, ReadsUnknownValuesLenientlyAndDamagedFilesAsDefaults) {
    TemporaryFolder folder;
    const AppSettings defaults;
    EXPECT_EQ(readFrom(folder, R"({"language":"en","dismissed_update_version":"2.0","extra":1})"),
              (AppSettings{AppLanguage::english, "2.0"}));
    EXPECT_EQ(readFrom(folder, R"({"language":"EN"})"), defaults);
    // A key of the wrong type makes the file damaged: the defaults stand for all of it.
    EXPECT_EQ(readFrom(folder, R"({"language":5,"dismissed_update_version":"3.0"})"), defaults);
    EXPECT_EQ(readFrom(folder, R"({"language":"en","dismissed_update_version":7})"), defaults);
    EXPECT_EQ(readFrom(folder, R"({"language":null,"dismissed_update_version":null})"), defaults);
    EXPECT_EQ(readFrom(folder, R"(["en"])"), defaults);
    EXPECT_EQ(readFrom(folder, R"("en")"), defaults);
    EXPECT_EQ(readFrom(folder, ""), defaults);
    EXPECT_EQ(readFrom(folder, R"({"language":"en")"), defaults);
    // Reading never writes, not even to repair a bad file.
    EXPECT_EQ(readWholeFile(folder / "settings.json"), R"({"language":"en")");
}

TEST(AppSettingsStore, AFileThatIsNotSettingsIsKeptAsideBeforeTheNextSave) {
    TemporaryFolder folder;
    writeRaw(folder / "settings.json", R"(["en"])");
    AppSettingsStore store(folder.path());
    store.setLanguage(AppLanguage::english);
    EXPECT_EQ(readWholeFile(folder / "settings.json.bad"), R"(["en"])");
    EXPECT_EQ(AppSettingsStore(folder.path()).current().language, AppLanguage::english);

    // So is one with a key of the wrong type, as every damaged record is, beside the earlier one.
    writeRaw(folder / "settings.json", R"({"language":["en"]})");
    AppSettingsStore(folder.path()).setDismissedUpdateVersion("2.0");
    EXPECT_EQ(readWholeFile(folder / "settings.json.bad"), R"(["en"])");
    EXPECT_EQ(readWholeFile(folder / "settings.json.bad.1"), R"({"language":["en"]})");

    // A language this version doesn't know is still settings: rewritten in place.
    fs::remove(folder / "settings.json.bad");
    fs::remove(folder / "settings.json.bad.1");
    writeRaw(folder / "settings.json", R"({"language":"de"})");
    AppSettingsStore(folder.path()).setDismissedUpdateVersion("2.0");
    EXPECT_FALSE(fs::exists(folder / "settings.json.bad"));
}

// A later version's choices outlive a change made by this one: only the setting changed is written.
TEST(AppSettingsStore, ASaveWritesItsChangeOnlyAndKeepsWhatItDoesntKnow) {
    TemporaryFolder folder;
    const fs::path file = folder / "settings.json";
    writeRaw(file, R"({"language":"de","theme":"dark","dismissed_update_version":"1.0"})");
    AppSettingsStore store(folder.path());
    ASSERT_TRUE(store.setDismissedUpdateVersion("2.0").saved());
    EXPECT_EQ(jsonfile::load(file), json::Json::parse(R"({"language":"de","theme":"dark","dismissed_update_version":"2.0"})"));

    ASSERT_TRUE(store.setLanguage(AppLanguage::english).saved());
    ASSERT_TRUE(store.setDismissedUpdateVersion(std::nullopt).saved());
    EXPECT_EQ(jsonfile::load(file), json::Json::parse(R"({"language":"en","theme":"dark"})"));
}

// A key nested deeper than any setting would be copied and written back by calls that
// recurse as deep, past the stack: such a file counts as damaged.
TEST(AppSettingsStore, AFileNestedDeeperThanAnySettingIsKeptAsideNotWrittenBack) {
    TemporaryFolder folder;
    const std::string text = R"({"language":"en","deep":)" + zantiva::testing::deeplyNestedJson() + "}";
    writeRaw(folder / "settings.json", text);
    AppSettingsStore store(folder.path());
    EXPECT_EQ(store.current(), AppSettings{});
    ASSERT_TRUE(store.setDismissedUpdateVersion("2.0").saved());
    EXPECT_EQ(readWholeFile(folder / "settings.json.bad"), text);
    EXPECT_EQ(AppSettingsStore(folder.path()).current().dismissedUpdateVersion, "2.0");
}

// A folder in the settings' place is kept aside as "settings.json.bad"; a damaged file after it
// takes the next free name, and when none is left the save fails rather than lose its bytes.
TEST(AppSettingsStore, DamagedBytesAreNeverSavedOver) {
    TemporaryFolder folder;
    fs::create_directory(folder / "settings.json");
    ASSERT_TRUE(AppSettingsStore(folder.path()).setLanguage(AppLanguage::english).saved());
    EXPECT_TRUE(fs::is_directory(folder / "settings.json.bad"));

    const std::string damaged = std::string(R"({"language":"en")") + '\xff' + '\0' + '\n';
    writeRaw(folder / "settings.json", damaged);
    ASSERT_TRUE(AppSettingsStore(folder.path()).setDismissedUpdateVersion("2.0").saved());
    EXPECT_EQ(readWholeFile(folder / "settings.json.bad.1"), damaged);
    EXPECT_TRUE(fs::is_directory(folder / "settings.json.bad"));
    EXPECT_EQ(AppSettingsStore(folder.path()).current().dismissedUpdateVersion, "2.0");

    for (int number = 2; number <= 999; ++number) writeRaw(folder / ("settings.json.bad." + std::to_string(number)), "");
    writeRaw(folder / "settings.json", damaged);
    AppSettingsStore full(folder.path());
    const SaveResult refused = full.setLanguage(AppLanguage::english);
    EXPECT_EQ(refused.problem, SaveResult::Problem::other);
    EXPECT_NE(refused.reason.find("couldn't be kept aside"), std::string::npos) << refused.reason;
    EXPECT_EQ(readWholeFile(folder / "settings.json"), damaged);
    EXPECT_EQ(readWholeFile(folder / "settings.json.bad.999"), "");
}

TEST(AppSettingsStore, FailedSaveKeepsTheNewValueAndTouchesNoFile) {
    TemporaryFolder folder;
    writeRaw(folder / "taken", "a file where the folder should be");
    AppSettingsStore blocked(folder / "taken");
    EXPECT_EQ(blocked.setLanguage(AppLanguage::english).problem, SaveResult::Problem::other);
    EXPECT_EQ(blocked.current().language, AppLanguage::english);
    EXPECT_EQ(readWholeFile(folder / "taken"), "a file where the folder should be");

    // Without a home folder the settings live in memory only.
    AppSettingsStore homeless(std::nullopt);
    EXPECT_EQ(homeless.fileURL(), std::nullopt);
    EXPECT_FALSE(homeless.setDismissedUpdateVersion("4.0").saved());
    EXPECT_EQ(homeless.current().dismissedUpdateVersion, "4.0");
}
