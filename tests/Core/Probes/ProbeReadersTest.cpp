#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "Probes/CpuTopology.h"
#include "Probes/Edid.h"
#include "Probes/PlaceholderText.h"
#include "Probes/MainDisplay.h"
#include "Probes/MemoryModules.h"
#include "Probes/MemoryUsage.h"
#include "Probes/ProbeRoot.h"
#include "../../Support/NoFreeDescriptors.h"
#include "../../Support/TemporaryFolder.h"

namespace zantiva {
namespace {

TEST(PlaceholderText, FirmwarePlaceholdersAreUnknown) {
    for (const char* placeholder : {"To Be Filled By O.E.M.", "  To be filled by O.E.M.  ", "Default string",
                                    "System Product Name", "Not Specified", "O.E.M.", "xxxxxxxxxx", "0000000000",
                                    "", "   ", "unknown"})
        EXPECT_FALSE(knownHardwareText(std::string(placeholder))) << placeholder;
    EXPECT_EQ(knownHardwareText(std::string(" ASRock \n")), "ASRock");
    EXPECT_EQ(knownHardwareText(std::string("1.0")), "1.0");
    EXPECT_FALSE(knownHardwareText(std::nullopt));
}

TEST(CpuList, ReadsRangesAndSinglesAndSkipsMalformedPieces) {
    EXPECT_EQ(parseCpuList("8,10-11,0-3,2-9\n", 64), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(parseCpuList("5", 64), std::vector<int>{5});
    EXPECT_EQ(parseCpuList("3-1,x,2,-1,64", 64), std::vector<int>{2});
    EXPECT_TRUE(parseCpuList("", 64).empty());
}

TEST(NaturalOrder, NumbersInNamesCompareByValue) {
    EXPECT_TRUE(naturalLess("hwmon2", "hwmon10"));
    EXPECT_FALSE(naturalLess("hwmon10", "hwmon2"));
    EXPECT_TRUE(naturalLess("card0", "card0-DP-1"));
    EXPECT_TRUE(naturalLess("card1-DP-2", "card1-DP-10"));
    EXPECT_FALSE(naturalLess("cpu3", "cpu3"));
}

TEST(NaturalOrder, ANumberInANameIsReadOnlyWhenItFits) {
    EXPECT_EQ(numberAfter("cpu12", "cpu"), 12);
    EXPECT_EQ(numberAfter("cpu4294967296", "cpu"), std::nullopt);   // not cpu0
    EXPECT_EQ(numberAfter("cpu+1", "cpu"), std::nullopt);
    EXPECT_EQ(numberAfter("cpu", "cpu"), std::nullopt);
}

// A folder that isn't there is an answer; one that couldn't be read is not, whatever stopped it.
TEST(ProbeRoot, OnlyAFolderThatCouldntBeReadIsAFailedListing) {
    testing::TemporaryFolder machine;
    const ProbeRoot root(machine.path());
    std::filesystem::create_directories(machine.path() / "sys/class/hwmon/hwmon10");
    std::filesystem::create_directories(machine.path() / "sys/class/hwmon/hwmon2");
    std::ofstream(machine.path() / "sys/block") << "a file\n";

    const auto listed = root.listing("/sys/class/hwmon");
    EXPECT_EQ(listed.items, (std::vector<std::string>{"hwmon2", "hwmon10"}));
    EXPECT_FALSE(listed.failed());
    const auto missing = root.listing("/sys/class/power_supply");
    EXPECT_TRUE(missing.items.empty());
    EXPECT_FALSE(missing.failed());
    EXPECT_EQ(root.listing("/sys/block").error, ENOTDIR);
    if (const auto why = testing::NoFreeDescriptors::unavailable()) GTEST_SKIP() << *why;
    {
        testing::NoFreeDescriptors exhausted;
        const auto unread = root.listing("/sys/class/hwmon");
        EXPECT_EQ(unread.error, EMFILE);
        EXPECT_TRUE(unread.items.empty());
    }
}

std::string edidWith(int width, int height, int clock10kHz, int hBlank, int vBlank, int flags = 0x18) {
    std::string e(128, '\0');
    const unsigned char header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    for (int i = 0; i < 8; ++i) e[i] = static_cast<char>(header[i]);
    auto put = [&](int at, int value) { e[at] = static_cast<char>(value & 0xFF); };
    put(54, clock10kHz);
    put(55, clock10kHz >> 8);
    put(56, width);
    put(57, hBlank);
    put(58, ((width >> 8) << 4) | (hBlank >> 8));
    put(59, height);
    put(60, vBlank);
    put(61, ((height >> 8) << 4) | (vBlank >> 8));
    put(71, flags);
    return e;
}

TEST(Edid, ThePreferredTimingGivesTheFrameSizeAndRefresh) {
    struct Case {
        std::string edid;
        int width, height;
        double refreshHz;
    };
    for (const auto& c : {Case{edidWith(3840, 2160, 53325, 160, 62), 3840, 2160, 59.997},   // reduced blanking
                          // 1080i: the descriptor gives a field of 540 lines and 22 blank ones;
                          // a frame is two fields and one line more, shown at 60 fields a second.
                          Case{edidWith(1920, 540, 7425, 280, 22, 0x9E), 1920, 1080, 60.0}}) {
        auto t = EdidTiming::parse(c.edid);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->width, c.width);
        EXPECT_EQ(t->height, c.height);
        EXPECT_NEAR(t->refreshHz, c.refreshHz, 0.001);
    }
}

TEST(Edid, BlobsWithoutHeaderOrTimingGiveNothing) {
    EXPECT_FALSE(EdidTiming::parse(""));
    EXPECT_FALSE(EdidTiming::parse(edidWith(1920, 1080, 14850, 280, 45).substr(0, 127)));
    auto noHeader = edidWith(1920, 1080, 14850, 280, 45);
    noHeader[0] = 1;
    EXPECT_FALSE(EdidTiming::parse(noHeader));
    EXPECT_FALSE(EdidTiming::parse(edidWith(1920, 1080, 0, 280, 45)));
}

TEST(MainDisplay, ABuiltInPanelIsTheMainDisplayAndItsModesStandInForAMissingEdid) {
    testing::TemporaryFolder folder;
    auto connector = [&](const std::string& name, const std::string& status, const std::string& edid,
                         const std::string& modes) {
        const auto dir = folder.path() / "sys/class/drm" / name;
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "status") << status << '\n';
        std::ofstream(dir / "edid", std::ios::binary) << edid;
        std::ofstream(dir / "modes") << modes;
    };
    connector("card0-DP-1", "connected", edidWith(1920, 1080, 14850, 280, 45), "1920x1080\n");
    connector("card0-DP-2", "disconnected", "", "");
    connector("card1-eDP-1", "connected", "", "2256x1504\n1920x1200\n");
    const ProbeRoot root(folder.path());
    auto display = MainDisplay::read(root);
    ASSERT_TRUE(display);
    EXPECT_EQ(display->resolution, "2256 \u00D7 1504");
    EXPECT_EQ(display->refreshRateHz, 0);   // no timing to tell

    std::filesystem::remove_all(folder.path() / "sys/class/drm/card1-eDP-1");
    display = MainDisplay::read(root);
    ASSERT_TRUE(display);
    EXPECT_EQ(display->resolution, "1920 \u00D7 1080");
    EXPECT_EQ(display->refreshRateHz, 60);

    EXPECT_FALSE(MainDisplay::read(ProbeRoot("/nonexistent/zantiva-root")));
}

TEST(MemoryModules, CountsInstalledModulesAndTakesTheFirstKnownTypeAndSpeed) {
    const auto m = MemoryModules::parse(
        "MEMORY_DEVICE_0_PRESENT=0\n"
        "MEMORY_DEVICE_1_SIZE=17179869184\nMEMORY_DEVICE_1_TYPE=Unknown\nMEMORY_DEVICE_1_SPEED_MTS=3600\n"
        "MEMORY_DEVICE_2_SIZE=17179869184\nMEMORY_DEVICE_2_TYPE=DDR5\nMEMORY_DEVICE_2_CONFIGURED_SPEED_MTS=4800\n"
        "MEMORY_DEVICE_3_SIZE=0\nMEMORY_DEVICE_3_TYPE=DDR4\n"
        "MEMORY_DEVICE_X_SIZE=1\nMEMORY_DEVICE_4=broken\n");
    EXPECT_EQ(m.count, 2);
    EXPECT_EQ(m.type, "DDR5");
    EXPECT_EQ(m.speedMTs, 3600);   // the first installed module with a speed

    const auto none = MemoryModules::parse("");
    EXPECT_EQ(none.count, 0);
    EXPECT_FALSE(none.type);
}

TEST(MemoryPressure, StalledTimeFromPressureStallInformation) {
    EXPECT_EQ(pressureFromPsi("some avg10=9.99 avg60=0 avg300=0 total=1\nfull avg10=0.00 avg60=0 avg300=0 total=0"),
              MemoryPressure::normal);
    EXPECT_EQ(pressureFromPsi("some avg10=10.00 avg60=0 avg300=0 total=1\nfull avg10=2.00 avg60=0 avg300=0 total=0"),
              MemoryPressure::warning);
    EXPECT_EQ(pressureFromPsi("some avg10=60.00 avg60=0 avg300=0 total=1\nfull avg10=10.50 avg60=0 avg300=0 total=0"),
              MemoryPressure::critical);
    EXPECT_EQ(pressureFromPsi(""), MemoryPressure::normal);
    EXPECT_EQ(pressureFromPsi("some avg10=abc\n"), MemoryPressure::normal);
}

} // namespace
} // namespace zantiva
