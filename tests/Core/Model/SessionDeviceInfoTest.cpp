#include "Model/SessionDeviceInfo.h"

#include <gtest/gtest.h>

#include "RecordJsonChecks.h"

using namespace zantiva;

namespace {

SystemSpecs machine(std::string model, std::string cpu) {
    SystemSpecs s;
    s.manufacturer = "LENOVO";
    s.model = std::move(model);
    s.cpuName = std::move(cpu);
    s.gpuName = "AMD Radeon 780M";
    s.ramCapacityGB = 30.6;
    return s;
}

} // namespace

TEST(SessionDeviceInfo, MatchesModelAndCpuOnly) {
    const SessionDeviceInfo stored{"LENOVO", "ThinkPad T14s \t", "amd ryzen 7 pro 7840u", "old GPU", 16};
    struct Case {
        std::string model, cpu;
        DeviceMatch expected;
    };
    const Case cases[] = {
        {"ThinkPad T14s", "AMD Ryzen 7 PRO 7840U", DeviceMatch::same},
        {"\tTHINKPAD T14S\u00a0", "AMD Ryzen 7 PRO 7840U", DeviceMatch::same},
        {"ThinkPad T14s\n", "AMD Ryzen 7 PRO 7840U", DeviceMatch::other},
        {"ThinkPad X13", "AMD Ryzen 7 PRO 7840U", DeviceMatch::other},
        {"ThinkPad T14s", "AMD Ryzen 5 PRO 7540U", DeviceMatch::other},
        // This machine's probe failed: a stored session must not be taken for another machine's.
        {"Unknown", "AMD Ryzen 7 PRO 7840U", DeviceMatch::undetermined},
        {"ThinkPad T14s", "unknown", DeviceMatch::undetermined},
        {"", "AMD Ryzen 7 PRO 7840U", DeviceMatch::undetermined},
        {"ThinkPad T14s", " \n", DeviceMatch::undetermined},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(stored.match(machine(c.model, c.cpu)), c.expected) << c.model << "|" << c.cpu;
        EXPECT_EQ(stored.matches(machine(c.model, c.cpu)), c.expected == DeviceMatch::same);
    }

    auto other = machine("ThinkPad T14s", "AMD Ryzen 7 PRO 7840U");
    other.manufacturer = "Someone else";
    other.gpuName = "NVIDIA";
    other.ramCapacityGB = 64;
    EXPECT_TRUE(stored.matches(other));

    const SessionDeviceInfo madeBlind{"Unknown", "Unknown", "Unknown", "Unknown", 0};
    EXPECT_EQ(madeBlind.match(machine("Unknown", "Unknown")), DeviceMatch::undetermined);
    EXPECT_EQ(madeBlind.match(machine("ThinkPad T14s", "AMD Ryzen 7 PRO 7840U")), DeviceMatch::undetermined);
}

TEST(SessionDeviceInfo, JsonUsesSnakeCaseKeysAllRequired) {
    const auto info = SessionDeviceInfo::of(machine("ThinkPad T14s Gen 4", "AMD Ryzen 7 PRO 7840U"));
    const auto j = info.toJson();
    EXPECT_EQ(j["ram_gb"], 30.6);
    EXPECT_EQ(j["cpu"], "AMD Ryzen 7 PRO 7840U");
    EXPECT_EQ(j.size(), 5u);
    test::expectRoundTrip(info);
    test::expectStrictKeys(info);
    test::expectMistypedKeyFails(info, "ram_gb", "30.6");
}
