#include "Model/SystemSpecs.h"

#include <gtest/gtest.h>

#include "RecordJsonChecks.h"

using namespace zantiva;

namespace {

SystemSpecs filledSpecs() {
    SystemSpecs s;
    s.manufacturer = "Framework";
    s.model = "Laptop 13";
    s.modelIdentifier = "FRANMDCP07";
    s.operatingSystem = "Debian GNU/Linux 12";
    s.architecture = "x86_64";
    s.cpuName = "Intel Core Ultra 7 155H";
    s.cpuCores = 16;
    s.cpuThreads = 22;
    s.coreClusters = {{"Performance", 6}, {"Efficiency", 10}};
    s.cpuMaxClockGHz = 4.8;
    s.ramCapacityGB = 31.3;
    s.ramSpeedMHz = 5600;
    s.ramType = "DDR5";
    s.ramModuleCount = 2;
    s.gpuName = "Mesa Intel Arc Graphics";
    s.gpuCoreCount = 128;
    s.gpuMemoryGB = 0.5;
    s.hasUnifiedMemory = true;
    s.metalVersion = "OpenGL ES 3.2";
    s.storageDevices = {{"WD_BLACK SN850X", 2000.4, "SSD", "NVMe", true}, {"USB stick", 64, "Flash", "USB", false}};
    s.motherboardManufacturer = "Framework";
    s.motherboardModel = "FRANMDCP07";
    s.displayResolution = "2880 x 1920";
    s.displayRefreshRateHz = 120;
    s.firmwareVersion = "03.03";
    return s;
}

} // namespace

TEST(SystemSpecs, EmptyInventoryIsUnknownAndZero) {
    const SystemSpecs s;
    EXPECT_EQ(s.manufacturer, "Unknown");
    EXPECT_EQ(s.firmwareVersion, SystemSpecs::unknown);
    EXPECT_EQ(s.cpuCores, 0);
    EXPECT_FALSE(s.hasUnifiedMemory);
    EXPECT_EQ(s.clusterSummary(), std::nullopt);
    EXPECT_EQ(s.clusterShorthand(), std::nullopt);
    EXPECT_EQ(s.fastestClusterCores(), 0);

    const StorageDeviceInfo d{.model = "Disk", .capacityGB = 500};
    EXPECT_TRUE(d.isInternal);
    EXPECT_EQ(d.mediaType, "Unknown");
    EXPECT_EQ(d.interfaceType, "Unknown");
}

TEST(SystemSpecs, ClusterTexts) {
    struct Case {
        std::vector<CoreCluster> clusters;
        const char* summary;
        const char* shorthand;
    };
    const Case cases[] = {
        {{{"Performance", 4}, {"Efficiency", 6}}, "4 Performance + 6 Efficiency", "4P+6E"},
        {{{"Performance", 8}}, "8 Performance", "8P"},
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
}

TEST(SystemSpecs, EqualityCoversListsAndTheirOrder) {
    const SystemSpecs a = filledSpecs();
    SystemSpecs b = a;
    EXPECT_EQ(a, b);
    b.storageDevices[1].isInternal = true;
    EXPECT_NE(a, b);
    b = a;
    std::swap(b.coreClusters[0], b.coreClusters[1]);
    EXPECT_NE(a, b);
}

TEST(SystemSpecs, JsonRoundTripAndStrictKeys) {
    test::expectRoundTrip(SystemSpecs{});
    test::expectRoundTrip(filledSpecs());
    const auto j = filledSpecs().toJson();
    EXPECT_EQ(j.size(), 25u);
    EXPECT_EQ(j["coreClusters"][0], (json::Json{{"name", "Performance"}, {"cores", 6}}));
    EXPECT_EQ(j["storageDevices"][1]["isInternal"], false);

    test::expectStrictKeys(filledSpecs());
    test::expectStrictKeys(CoreCluster{"Performance", 8});
    test::expectStrictKeys(StorageDeviceInfo{});
    test::expectMistypedKeyFails(filledSpecs(), "cpuCores", "16");
    test::expectMistypedKeyFails(filledSpecs(), "model", nullptr);
    test::expectMistypedKeyFails(filledSpecs(), "hasUnifiedMemory", 1);

    // A bad entry inside a list fails the whole inventory.
    auto broken = j;
    broken["storageDevices"][0].erase("isInternal");
    EXPECT_THROW(SystemSpecs::fromJson(broken), json::DecodeError);
}
