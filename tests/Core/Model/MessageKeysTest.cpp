#include <gtest/gtest.h>

#include "Localization/MessageTables.h"
#include "Model/CpuBenchmarkPhase.h"
#include "Model/DeviceGrade.h"
#include "Model/DriveHealthStatus.h"
#include "Model/SensorSnapshot.h"

using namespace zantiva;

// A key that names no message would show the user its bracketed key instead of a text.
TEST(MessageKeys, EveryCaseOfTheRecordsNamesAMessage) {
    std::vector<std::string> keys;
    for (auto grade : allCases<DeviceGrade>()) keys.emplace_back(verdictKey(grade));
    for (auto pressure : allCases<MemoryPressure>()) keys.emplace_back(localizationKey(pressure));
    for (auto phase : allCases<CpuBenchmarkPhase>()) keys.emplace_back(localizationKey(phase));
    for (auto issue : allCases<DriveHealthIssue>()) keys.push_back(messageKey(issue));
    for (auto reason : allCases<DriveUnreadReason>()) keys.push_back(messageKey(reason));
    for (int raw = 0; raw <= 3; ++raw) {
        keys.emplace_back(localizationKey(*thermalStateFromRaw(raw)));
        keys.push_back(messageKey(*driveHealthStatusFromRaw(raw)));
    }
    for (const auto& key : keys) EXPECT_TRUE(StringsEn::table().contains(key)) << key;
}
