#include "Localization/Loc.h"


#include <gtest/gtest.h>

#include "Localization/MessageTables.h"

using namespace zantiva;

TEST(Loc, LookupFallsBackFromPersianToEnglishToTheBracketedKey) {
    for (const auto language : allAppLanguages) {
        EXPECT_EQ(Loc::string("No.Such.Key", language), "[No.Such.Key]");
        EXPECT_EQ(Loc::format("No.Such.Key", language, {1}), "[No.Such.Key]");
    }
    EXPECT_FALSE(Loc::has("No.Such.Key"));
    for (const auto& [key, english] : StringsEn::table()) {
        EXPECT_TRUE(Loc::has(key));
        EXPECT_EQ(Loc::string(key, AppLanguage::english), english);
        const auto& persian = StringsFa::table();
        const auto own = persian.find(key);
        EXPECT_EQ(Loc::string(key, AppLanguage::persian), own == persian.end() ? english : own->second) << key;
    }
    EXPECT_EQ(&Loc::table(AppLanguage::persian), &StringsFa::table());
}

TEST(Loc, LanguageChangesNotifyListenersOncePerRealChange) {
    Loc loc(AppLanguage::english);
    std::vector<AppLanguage> heard;
    const auto token = loc.subscribe([&](AppLanguage language) { heard.push_back(language); });
    loc.setLanguage(AppLanguage::english);
    EXPECT_TRUE(heard.empty());
    loc.setLanguage(AppLanguage::persian);
    EXPECT_EQ(heard, std::vector{AppLanguage::persian});
    EXPECT_TRUE(loc.isRightToLeft());
    EXPECT_TRUE(loc.isPersian());
    loc.unsubscribe(token);
    loc.setLanguage(AppLanguage::english);
    EXPECT_EQ(heard.size(), 1u);
    EXPECT_FALSE(loc.isRightToLeft());
}

TEST(Loc, ListenerMayUnsubscribeWhileBeingTold) {
    Loc loc(AppLanguage::persian);
    int calls = 0;
    Loc::ListenerToken token = 0;
    token = loc.subscribe([&](AppLanguage) {
        ++calls;
        loc.unsubscribe(token);
    });
    loc.setLanguage(AppLanguage::english);
    loc.setLanguage(AppLanguage::persian);
    EXPECT_EQ(calls, 1);
}

TEST(Loc, FormatsNumbersByTheirPlaceholderSpec) {
    const Loc loc(AppLanguage::english);
    EXPECT_EQ(loc.f("Result.HealthScore", 87.25), "Health score 87.3 of 100");
    EXPECT_EQ(loc.t("Result.HealthScore"), "Health score {0:0.0} of 100");
    EXPECT_EQ(loc["Result.HealthScore"], loc.t("Result.HealthScore"));
    // Persian texts carry the same ASCII digits and separators.
    EXPECT_NE(Loc(AppLanguage::persian).f("Result.HealthScore", 87.25).find(" 87.3 "), std::string::npos);
}

TEST(LocalizedMessage, KeepsArgumentTextsAndComparesMemberwise) {
    const LocalizedMessage numbers("Net.ServerError", 1, "a");
    EXPECT_EQ(numbers, LocalizedMessage("Net.ServerError", "1", "a"));
    EXPECT_NE(numbers, LocalizedMessage("Net.ServerError", "a", 1));
    EXPECT_NE(numbers, LocalizedMessage("Net.ServerError", 1));
    EXPECT_NE(numbers, LocalizedMessage("Net.Other", 1, "a"));
    const LocalizedMessage doubles("K", 0.5, 3.0, 1e17, -0.0, std::string("x"));
    EXPECT_EQ(doubles.arguments(), (std::vector<std::string>{"0.5", "3.0", "1e+17", "-0.0", "x"}));
}

TEST(LocalizedMessage, RendersItsTextsUnformattedInTheGivenLanguage) {
    Loc::shared().setLanguage(AppLanguage::persian);
    const LocalizedMessage message("Result.HealthScore", 87.25);
    EXPECT_EQ(message.resolved(AppLanguage::english), "Health score 87.25 of 100");
    EXPECT_EQ(Loc(AppLanguage::english).resolve(message), "Health score 87.25 of 100");
    EXPECT_EQ(LocalizedMessage("Result.HealthScore", 3.0).resolved(AppLanguage::english), "Health score 3.0 of 100");
    EXPECT_EQ(LocalizedMessage("No.Such.Key", 1).resolved(AppLanguage::persian), "[No.Such.Key]");
}
