#include <gtest/gtest.h>

#include "Localization/MessageTables.h"
#include "Presenters/ModuleText.h"

using namespace zantiva;

// A key that names no message would show the user its bracketed key instead of a name.
TEST(ModuleText, EveryModuleAndStatusNamesAMessage) {
    std::vector<std::string> keys;
    for (auto module : allCases<TestModule>()) {
        keys.push_back(ModuleText::titleKey(module));
        keys.push_back(ModuleText::subtitleKey(module));
    }
    for (auto status : allCases<ModuleStatus>()) keys.push_back(ModuleText::statusKey(status));
    for (const auto& key : keys) EXPECT_TRUE(StringsEn::table().contains(key)) << key;
    EXPECT_EQ(ModuleText::titleKey(TestModule::micCamera), "Module.MicCamera.Title");
    EXPECT_EQ(ModuleText::statusKey(ModuleStatus::bypassed), "Status.Bypassed");
}
