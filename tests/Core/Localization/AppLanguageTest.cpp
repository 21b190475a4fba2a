#include "Localization/AppLanguage.h"

#include <gtest/gtest.h>

using namespace zantiva;

TEST(AppLanguage, RawValuesAreExactAndCaseSensitive) {
    EXPECT_EQ(appLanguageFromRaw("en"), AppLanguage::english);
    EXPECT_EQ(appLanguageFromRaw("fa"), AppLanguage::persian);
    EXPECT_EQ(appLanguageFromRaw("EN"), std::nullopt);
    EXPECT_EQ(appLanguageFromRaw(""), std::nullopt);
    EXPECT_EQ(shortLabel(AppLanguage::persian), "FA");
    EXPECT_TRUE(isRightToLeft(AppLanguage::persian));
    EXPECT_FALSE(isRightToLeft(AppLanguage::english));
}
