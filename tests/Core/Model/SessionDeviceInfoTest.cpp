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

TEST(SessionDeviceInfo, MatchesTheNamesBothMachinesTell) {
    struct Case {
        std::string storedModel, storedCpu, model, cpu;
        DeviceMatch expected;
    };
    const std::string t14s = "ThinkPad T14s", ryzen = "AMD Ryzen 7 PRO 7840U";
    const Case cases[] = {
        {"ThinkPad T14s \t", "amd ryzen 7 pro 7840u", t14s, ryzen, DeviceMatch::same},
        {t14s, ryzen, "\tTHINKPAD T14S\u00a0", ryzen, DeviceMatch::same},
        {t14s, ryzen, "ThinkPad T14s\n", ryzen, DeviceMatch::other},
        {t14s, ryzen, "ThinkPad X13", ryzen, DeviceMatch::other},
        {t14s, ryzen, t14s, "AMD Ryzen 5 PRO 7540U", DeviceMatch::other},
        // Neither machine tells its model (blank, empty or "Unknown" alike): the CPU decides.
        {"Unknown", ryzen, "unknown", ryzen, DeviceMatch::same},
        {"", ryzen, " \t", "amd ryzen 7 pro 7840u ", DeviceMatch::same},
        {"Unknown", ryzen, "", "AMD Ryzen 5 PRO 7540U", DeviceMatch::other},
        {t14s, "Unknown", t14s, "", DeviceMatch::same},
        // A name only one side tells: one of the two probes failed.
        {t14s, ryzen, "Unknown", ryzen, DeviceMatch::undetermined},
        {"Unknown", ryzen, t14s, ryzen, DeviceMatch::undetermined},
        {t14s, ryzen, t14s, " \n", DeviceMatch::undetermined},
        {"Unknown", "", "Unknown", ryzen, DeviceMatch::undetermined},
        {t14s, ryzen, "ThinkPad X13", "Unknown", DeviceMatch::undetermined},
        // Nothing to compare.
        {"Unknown", "Unknown", "", "unknown", DeviceMatch::undetermined},
    };
    for (const auto& c : cases) {
        const SessionDeviceInfo stored{"LENOVO", c.storedModel, c.storedCpu, "old GPU", 16};
        EXPECT_EQ(stored.match(machine(c.model, c.cpu)), c.expected)
            << c.storedModel << "|" << c.storedCpu << " against " << c.model << "|" << c.cpu;
        EXPECT_EQ(stored.matches(machine(c.model, c.cpu)), c.expected == DeviceMatch::same);
    }

    // Maker, GPU and memory don't count.
    auto other = machine(t14s, ryzen);
    other.manufacturer = "Someone else";
    other.gpuName = "NVIDIA";
    other.ramCapacityGB = 64;
    EXPECT_TRUE(SessionDeviceInfo::of(machine(t14s, ryzen)).matches(other));
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
