// The words the reader program is started with and the lines it answers with, as the two
// programs print and parse them.

#include <gtest/gtest.h>

#include "PageReader/PageReaderAnswer.h"
#include "PageReader/PageReaderRequest.h"

namespace zantiva {
namespace {

using namespace std::chrono_literals;

TEST(PageReaderRequestTest, ReadsBackWhatItWritesAndTakesNoAddressForAnOption) {
    const PageReaderRequest full{.address = "--verbose",
                                 .isGPU = true,
                                 .interactive = true,
                                 .language = AppLanguage::persian,
                                 .site = "http://127.0.0.1:8080",
                                 .timing = {.round = 100ms, .quiet = 1s, .windowed = 2s},
                                 .verbose = true};
    const PageReaderRequest plain{.address = "https://browser.geekbench.com/v6/cpu/1"};
    for (const PageReaderRequest& request : {full, plain}) {
        const auto words = request.arguments();
        EXPECT_EQ(words.end()[-2], "--");
        EXPECT_EQ(PageReaderRequest::parse(words), request) << words.back();
    }
    EXPECT_FALSE(plain.arguments().empty() || plain.arguments().front() == "--verbose");
}

TEST(PageReaderRequestTest, RefusesWordsThatAreNoRequest) {
    using Words = std::vector<std::string>;
    for (const Words& words : {Words{}, Words{"https://a/"}, Words{"--gpu"}, Words{"--", "a", "b"},
                               Words{"--colour", "--", "a"}, Words{"--language", "de", "--", "a"},
                               Words{"--round", "0", "--", "a"}, Words{"--quiet", "5s", "--", "a"},
                               Words{"--windowed", "-1", "--", "a"}, Words{"--site"}})
        EXPECT_FALSE(PageReaderRequest::parse(words)) << (words.empty() ? "" : words.front());
}

TEST(PageReaderRequestTest, CarriesTheMemoryBoundInWholeMebibytesThatFitInBytes) {
    const PageReaderRequest bounded{.address = "https://browser.geekbench.com/v6/cpu/1", .memoryMiB = 300};
    const auto words = bounded.arguments();
    EXPECT_EQ(PageReaderRequest::parse(words), bounded);
    EXPECT_EQ(PageReaderRequest::parse(std::vector<std::string>{"--", "a"})->memoryMiB,
              PageReaderRequest::defaultMemoryMiB);
    using Words = std::vector<std::string>;
    for (const Words& words : {Words{"--memory", "0", "--", "a"}, Words{"--memory", "-1", "--", "a"},
                               Words{"--memory", "1G", "--", "a"}, Words{"--memory", "18446744073709551615", "--", "a"}})
        EXPECT_FALSE(PageReaderRequest::parse(words)) << words[1];
}

TEST(PageReaderAnswerTest, ReadsBackEachAnswer) {
    ExternalBenchmarkResult cpu;
    cpu.singleCoreScore = 2345;
    cpu.multiCoreScore = 10234.5;
    cpu.recordedAt = *parseIso8601("2026-12-06T21:00:08Z");
    for (const PageReaderAnswer::Line& line :
         {PageReaderAnswer::Line{PageReaderAnswer::PersonAsked{}}, PageReaderAnswer::Line{cpu},
          PageReaderAnswer::Line{PageReaderAnswer::NoScores::unread},
          PageReaderAnswer::Line{PageReaderAnswer::NoScores::refusedAsRoot},
          PageReaderAnswer::Line{PageReaderAnswer::NoScores::noDisplay}}) {
        const std::string text = PageReaderAnswer::print(line);
        EXPECT_EQ(text.find('\n'), std::string::npos);
        EXPECT_EQ(PageReaderAnswer::parse(text), line) << text;
    }
    EXPECT_EQ(PageReaderAnswer::print(PageReaderAnswer::NoScores::unread), "none unread");
    EXPECT_EQ(PageReaderAnswer::print(PageReaderAnswer::NoScores::tooLarge), "none too-large");
    EXPECT_EQ(PageReaderAnswer::parse("none too-large"), PageReaderAnswer::Line{PageReaderAnswer::NoScores::tooLarge});
}

TEST(PageReaderAnswerTest, TakesNoOtherLineForAnAnswer) {
    for (const char* text :
         {"", "person-asked ", "none", "none closed", "scores", "scores {}", "scores [1]", "scores {not json",
          R"(scores {"recordedAt":"2026-12-06T21:00:08Z"})", R"(scores {"gpuScore":98765})",
          R"(scores {"gpuScore":0,"recordedAt":"2026-12-06T21:00:08Z"})",
          R"(scores {"gpuScore":-3,"singleCoreScore":5,"recordedAt":"2026-12-06T21:00:08Z"})",
          "Sandboxing disabled by user.", "js: crbug/1173575, non-JS module files deprecated."})
        EXPECT_FALSE(PageReaderAnswer::parse(text)) << text;
}

} // namespace
} // namespace zantiva
