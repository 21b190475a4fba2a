#include "Model/DeviceProfile.h"

#include <gtest/gtest.h>

#include "RecordJsonChecks.h"

using namespace zantiva;

namespace {

SystemSpecs named(std::string manufacturer, std::string model) {
    SystemSpecs s;
    s.manufacturer = std::move(manufacturer);
    s.model = std::move(model);
    return s;
}

} // namespace

TEST(DeviceProfile, MakerAndModelJoin) {
    struct Case {
        std::string maker, model;
        std::optional<std::string> name;
    };
    const Case cases[] = {
        {"Apple", "apple MacBook Pro", "apple MacBook Pro"},
        {"Apple", "MacBook Pro", "Apple MacBook Pro"},
        {"LENOVO", "Lenovo ThinkPad X1", "Lenovo ThinkPad X1"},
        {" Dell Inc. ", "\tXPS 13 9310\n", "Dell Inc. XPS 13 9310"},
        {"unknown", "ThinkPad", "ThinkPad"},
        {"", "  ", std::nullopt},
        {"UNKNOWN", "Unknown", std::nullopt},
        {"Apple", "Unknown", "Apple"},
    };
    for (const auto& c : cases) {
        const DeviceProfile p{named(c.maker, c.model)};
        EXPECT_EQ(p.name, c.name) << c.maker << "|" << c.model;
        EXPECT_EQ(p.hasAnything(), c.name.has_value());
    }
    EXPECT_EQ(DeviceProfile{SystemSpecs{}}, DeviceProfile{});

    SystemSpecs board;
    board.motherboardManufacturer = "ASUSTeK COMPUTER INC.";
    board.motherboardModel = "ROG STRIX B650E-F";
    EXPECT_EQ(DeviceProfile(board).motherboard, "ASUSTeK COMPUTER INC. ROG STRIX B650E-F");
}

TEST(DeviceProfile, CpuLine) {
    SystemSpecs s;
    s.cpuCores = 8;
    EXPECT_EQ(DeviceProfile(s).cpu, std::nullopt);
    s.cpuName = "AMD Ryzen 7 7840U";
    s.cpuThreads = 16;
    EXPECT_EQ(DeviceProfile(s).cpu, "AMD Ryzen 7 7840U (8C/16T)");
    s.cpuCores = 10;
    s.coreClusters = {{"Performance", 8}, {"Efficiency", 2}};
    EXPECT_EQ(DeviceProfile(s).cpu, "AMD Ryzen 7 7840U (10C: 8P+2E)");
    s.cpuCores = 0;
    EXPECT_EQ(DeviceProfile(s).cpu, "AMD Ryzen 7 7840U");
}

TEST(DeviceProfile, GpuLine) {
    struct Case {
        std::int64_t cores;
        double memory;
        std::string text;
    };
    const Case cases[] = {
        {0, 8.0, "Radeon 780M · 8 GB"},  {0, 8.04, "Radeon 780M · 8 GB"}, {0, 7.96, "Radeon 780M · 8.0 GB"},
        {0, 7.5, "Radeon 780M · 7.5 GB"}, {0, 0, "Radeon 780M"},          {12, 0, "Radeon 780M · 12-core"},
        {12, 0.5, "Radeon 780M · 12-core · 0.5 GB"},
    };
    for (const auto& c : cases) {
        SystemSpecs s;
        s.gpuName = "Radeon 780M";
        s.gpuCoreCount = c.cores;
        s.gpuMemoryGB = c.memory;
        EXPECT_EQ(DeviceProfile(s).gpu, c.text) << c.memory;
    }
    SystemSpecs unknown;
    unknown.gpuMemoryGB = 8;
    EXPECT_EQ(DeviceProfile(unknown).gpu, std::nullopt);
}

TEST(DeviceProfile, RamLine) {
    SystemSpecs s;
    EXPECT_EQ(DeviceProfile(s).ram, std::nullopt);
    s.ramCapacityGB = 16;
    s.hasUnifiedMemory = true;
    s.ramModuleCount = 1;
    EXPECT_EQ(DeviceProfile(s).ram, "16 GB unified");
    s.ramType = " LPDDR5 ";
    s.ramSpeedMHz = 6400;
    s.ramModuleCount = 2;
    EXPECT_EQ(DeviceProfile(s).ram, "16 GB LPDDR5 6400 MHz (2 modules)");
    s.ramCapacityGB = 15.6;
    s.hasUnifiedMemory = false;
    s.ramType = "Unknown";
    s.ramSpeedMHz = 0;
    EXPECT_EQ(DeviceProfile(s).ram, "15.6 GB (2 modules)");
}

TEST(DeviceProfile, StorageLine) {
    SystemSpecs s;
    s.storageDevices = {
        {"Small", 500.4, "SSD", "NVMe", true},
        {"Stick", 64, "Flash", "USB", false},
        {"Empty", 0, "SSD", "SATA", true},
        {"Big", 1000.5, "Unspecified", "NVMe", true},
        {"Other", 500.4, "unspecified", "SATA", true},
        {"Spinner", 250, "Unknown", "SATA", true},
    };
    EXPECT_EQ(DeviceProfile(s).storage, "1001 GB + 500 GB SSD + 500 GB unspecified + 250 GB");
    s.storageDevices = {{"Stick", 64, "Flash", "USB", false}};
    EXPECT_EQ(DeviceProfile(s).storage, std::nullopt);
}

TEST(DeviceProfile, DisplayAndOs) {
    SystemSpecs s;
    s.displayResolution = "2560 x 1600";
    EXPECT_EQ(DeviceProfile(s).display, "2560 x 1600");
    s.displayRefreshRateHz = 120;
    EXPECT_EQ(DeviceProfile(s).display, "2560 x 1600 @ 120 Hz");
    s.displayResolution = "Unknown";
    EXPECT_EQ(DeviceProfile(s).display, std::nullopt);
    s.operatingSystem = "Debian GNU/Linux\t12\n (bookworm)";
    EXPECT_EQ(DeviceProfile(s).os, "Debian GNU/Linux 12 (bookworm)");
}

TEST(DeviceProfile, LongTextsAreCut) {
    const std::string exact(120, 'x');
    EXPECT_EQ(DeviceProfile(named("Unknown", exact)).name, exact);
    const std::string cutAtBlank = std::string(118, 'y') + "  " + std::string(80, 'z');
    // Runs of blanks become one blank first, so the 119th character is that blank.
    EXPECT_EQ(DeviceProfile(named("Unknown", cutAtBlank)).name, std::string(118, 'y') + "\u2026");
    const std::string persian = std::string(119, 'a') + "\u0628\u0650\u0628\u0650";
    EXPECT_EQ(DeviceProfile(named("Unknown", persian)).name, std::string(119, 'a') + "\u2026");
    // Combined characters count once each.
    std::string marked;
    for (int i = 0; i < 120; ++i) marked += "e\u0301";
    EXPECT_EQ(DeviceProfile(named("Unknown", marked)).name, marked);
}

TEST(DeviceProfile, JsonLeavesAbsentFieldsOut) {
    DeviceProfile p;
    p.name = "Framework Laptop 13";
    p.os = "Debian GNU/Linux 12";
    EXPECT_EQ(p.toJson(), (json::Json{{"name", "Framework Laptop 13"}, {"os", "Debian GNU/Linux 12"}}));
    test::expectRoundTrip(p);
    EXPECT_EQ(DeviceProfile::fromJson(json::Json::object()), DeviceProfile{});
    test::expectMistypedKeyFails(p, "name", 5);
}
