#include "Localization/MessageList.h"
#include "Localization/MessageTables.h"
#include "../../Support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace zantiva;
namespace fs = std::filesystem;

namespace {

std::set<std::string> placeholders(std::string_view text) {
    static const std::regex placeholder(R"(\{[^{}]*\})");
    std::set<std::string> found;
    const std::string owned(text);
    for (auto it = std::sregex_iterator(owned.begin(), owned.end(), placeholder); it != std::sregex_iterator(); ++it)
        found.insert(it->str());
    return found;
}

} // namespace

TEST(MessageTables, BothTextsOfAKeyAreFilledAndNameTheSamePlaceholders) {
    const auto& persian = StringsFa::table();
    for (const auto& [key, english] : StringsEn::table()) {
        const auto found = persian.find(key);
        ASSERT_NE(found, persian.end()) << key;
        EXPECT_FALSE(english.empty()) << key;
        EXPECT_FALSE(found->second.empty()) << key;
        EXPECT_EQ(placeholders(english), placeholders(found->second)) << key;
    }
}

TEST(MessageTables, PlaceholdersUseOnlyIndicesAndFormatsTheCallersPass) {
    // Callers pass at most three arguments and format them with these specs; no width, no escaped brace.
    static const std::regex allowed(R"(\{[0-2](:(0|0\.0|0\.00|N0))?\})");
    for (const auto* table : {&StringsEn::table(), &StringsFa::table()})
        for (const auto& [key, text] : *table) {
            for (const auto& item : placeholders(text)) EXPECT_TRUE(std::regex_match(item, allowed)) << key << ": " << item;
            EXPECT_EQ(std::string_view(text).find("{{"), std::string_view::npos) << key;
        }
}

TEST(MessageTables, PersianTextsUsePersianLettersAndJoinedVerbPrefixes) {
    // "می"/"نمی" before a verb is joined with a zero-width non-joiner, never with a blank.
    static const std::regex detachedPrefix("(^|\\s)(ن?می) ");
    for (const auto& [key, text] : StringsFa::table()) {
        for (std::string_view arabic : {"\u064A", "\u0643", "\u0649"})
            EXPECT_EQ(text.find(arabic), std::string_view::npos) << key << " holds an Arabic letter";
        EXPECT_FALSE(std::regex_search(std::string(text), detachedPrefix)) << key;
    }
}

TEST(MessageTables, EnglishTextsNameThisComputerAndItsSystem) {
    static const std::regex macWording(R"(\bMac\b|macOS|System Settings|\bMetal\b)");
    for (const auto& [key, text] : StringsEn::table())
        EXPECT_FALSE(std::regex_search(std::string(text), macWording)) << key << ": " << text;
}

// The subject of both sentences is "your settings": the verbs agree with it, and both languages
// say the settings last only while the app runs.
TEST(MessageTables, UnsavedSettingsSayInBothLanguagesTheyLastOnlyUntilTheAppCloses) {
    for (const char* key : {"NotSaved.Settings", "NotSaved.Settings.DiskFull"}) {
        const std::string_view english = StringsEn::table().at(key);
        const std::string_view persian = StringsFa::table().at(key);
        EXPECT_NE(english.find("They apply only until the app closes."), std::string_view::npos) << key;
        EXPECT_NE(persian.find("ذخیره نشدند"), std::string_view::npos) << key;
        EXPECT_NE(persian.find("فقط تا بسته شدن برنامه اعمال می‌شوند."), std::string_view::npos) << key;
    }
}

namespace {

// Runs the build's message generator on a file written into a scratch folder.
class MessageListGenerator : public ::testing::Test {
protected:
    struct Run {
        int status = -1;
        std::string errors;
    };

    Run generate(const std::string& content) {
        zantiva::testing::writeRaw(folder / "messages.tsv", content);
        const std::string input = (folder / "messages.tsv").string();
        const std::string output = (folder / "MessageList.cpp").string();
        const std::string errorFile = (folder / "stderr.txt").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::string program = ZANTIVA_MESSAGE_GENERATOR;
        std::vector<char*> argv{program.data(), const_cast<char*>(input.c_str()), const_cast<char*>(output.c_str()),
                                nullptr};
        pid_t pid = 0;
        Run run;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        std::ifstream errors(errorFile);
        run.errors.assign(std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>());
        return run;
    }

    std::string output() const {
        std::ifstream file(folder / "MessageList.cpp");
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    zantiva::testing::TemporaryFolder scratch;
    const fs::path folder = scratch.path();
};

} // namespace

TEST_F(MessageListGenerator, TurnsAValidFileIntoTheList) {
    const auto run = generate("# comment\n\n"
                              "Net.ServerError\t{0} failed (error {1})\\n\"quoted\" a\\\\b\t{1} خطا {0}\\tپایان\n"
                              "Common.Show\tShow\tنمایش");
    ASSERT_EQ(run.status, 0) << run.errors;
    const auto source = output();
    EXPECT_NE(source.find(R"({"Net.ServerError", "{0} failed (error {1})\n\"quoted\" a\\b", "{1} خطا {0}\tپایان"},)"),
              std::string::npos)
        << source;
    EXPECT_NE(source.find(R"({"Common.Show", "Show", "نمایش"},)"), std::string::npos);
}

TEST_F(MessageListGenerator, RefusesEveryFaultWithItsLineAndWritesNothing) {
    const std::string good = "Common.Show\tShow\tنمایش\n";
    const struct {
        std::string content;
        std::string expected;
    } cases[] = {
        {good + good, "messages.tsv:2: duplicate key Common.Show (first on line 1)"},
        {good + "Common.Hide\tHide\n", "messages.tsv:2: expected key, English and Persian"},
        {good + "Common.Hide\tHide\tپنهان\textra\n", "messages.tsv:2: expected key, English and Persian"},
        {"common.hide\tHide\tپنهان\n", "messages.tsv:1: malformed key"},
        {"Common\tHide\tپنهان\n", "messages.tsv:1: malformed key"},
        {"Common.Hide\tHide\\x\tپنهان\n", "messages.tsv:1: Common.Hide: unknown escape \\x"},
        {"Common.Hide\tHide\\\tپنهان\n", "messages.tsv:1: Common.Hide: backslash at the end"},
        {"Common.Hide\tHide\r\tپنهان\n", "messages.tsv:1: Common.Hide: raw control character"},
        {"Common.Hide\t\tپنهان\n", "messages.tsv:1: Common.Hide: empty text"},
        {"Net.Rejected\tRefused: {0}\tرد شد: {1}\n", "messages.tsv:1: Net.Rejected: placeholders differ"},
        {"Net.Rejected\tRefused: {0:0.0}\tرد شد: {0}\n", "messages.tsv:1: Net.Rejected: placeholders differ"},
        {"Common.Hide\tHide\tپنهان كردن\n", "messages.tsv:1: Common.Hide: Arabic yeh or kaf"},
        {"Washer.Quick\t5 minutes\t۵ دقیقه\n", "messages.tsv:1: Washer.Quick: Persian or Arabic-Indic digits"},
        {"Common.Hide\tHide\t\xff\n", "messages.tsv:1: not valid UTF-8"},
        {"# only a comment\n", "no messages"},
    };
    for (const auto& [content, expected] : cases) {
        fs::remove(folder / "MessageList.cpp");
        const auto run = generate(content);
        EXPECT_EQ(run.status, 1) << expected;
        EXPECT_NE(run.errors.find(expected), std::string::npos) << "wanted: " << expected << "\ngot: " << run.errors;
        EXPECT_FALSE(fs::exists(folder / "MessageList.cpp")) << expected;
    }
}
