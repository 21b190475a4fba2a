#include "Model/SystemSpecs.h"

#include <gtest/gtest.h>

#include "../../Support/SampleSpecs.h"
#include "RecordJsonChecks.h"

using namespace zantiva;
using zantiva::testing::sampleLaptopSpecs;

TEST(SystemSpecs, ClusterTexts) {
    struct Case {
        std::vector<CoreCluster> clusters;
        const char* summary;
        const char* shorthand;
    };
    const Case cases[] = {
        {{{"Performance", 4}, {"Efficiency", 6}}, "4 Performance + 6 Efficiency", "4P+6E"},
        {{{"Level 0", 10}}, "10 Level 0", "10L"},
        {{{"efficiency", 4}}, "4 efficiency", "4E"},
        {{{"", 4}}, "4 ", "4"},
        {{{"émeraude", 2}, {"ästhetik", 3}}, "2 émeraude + 3 ästhetik", "2É+3Ä"},
        // A base letter with a combining accent is one character: both stay together.
        {{{"e\u0301lan", 2}}, "2 e\u0301lan", "2E\u0301"},
        // Unicode's full mapping, whatever the locale: one letter may become two.
        {{{"\u00dfig", 1}, {"istanbul", 2}}, "1 \u00dfig + 2 istanbul", "1SS+2I"},
    };
    for (const auto& c : cases) {
        SystemSpecs s;
        s.cpuCores = 99;
        s.coreClusters = c.clusters;
        EXPECT_EQ(s.clusterSummary(), c.summary);
        EXPECT_EQ(s.clusterShorthand(), c.shorthand);
        EXPECT_EQ(s.fastestClusterCores(), c.clusters.front().cores);
    }
    const SystemSpecs none;
    EXPECT_EQ(none.clusterSummary(), std::nullopt);
    EXPECT_EQ(none.clusterShorthand(), std::nullopt);
    EXPECT_EQ(none.fastestClusterCores(), 0);
}

TEST(SystemSpecs, JsonRoundTripAndStrictKeys) {
    test::expectRoundTrip(SystemSpecs{});
    test::expectRoundTrip(sampleLaptopSpecs());
    const auto j = sampleLaptopSpecs().toJson();
    EXPECT_EQ(j["coreClusters"][0], (json::Json{{"name", "Performance"}, {"cores", 6}}));
    EXPECT_EQ(j["storageDevices"][1]["isInternal"], false);

    test::expectStrictKeys(sampleLaptopSpecs());
    test::expectStrictKeys(CoreCluster{"Performance", 8});
    test::expectStrictKeys(StorageDeviceInfo{});
    test::expectMistypedKeyFails(sampleLaptopSpecs(), "cpuCores", "16");
    test::expectMistypedKeyFails(sampleLaptopSpecs(), "model", nullptr);
    test::expectMistypedKeyFails(sampleLaptopSpecs(), "hasUnifiedMemory", 1);

    // A bad entry inside a list fails the whole inventory.
    auto broken = j;
    broken["storageDevices"][0].erase("isInternal");
    EXPECT_THROW(SystemSpecs::fromJson(broken), json::DecodeError);
}
