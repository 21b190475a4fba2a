#include "Model/JsonCodec.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <vector>

using namespace zantiva::json;

TEST(JsonCodec, RequiredKeysAreStrictAboutPresenceAndType) {
    const Json j = {{"n", 3}, {"f", 2.5}, {"whole", 3.0}, {"s", "x"}, {"b", true}, {"neg", -1}};
    EXPECT_EQ(required<int>(j, "n"), 3);
    EXPECT_EQ(required<int>(j, "whole"), 3);
    EXPECT_DOUBLE_EQ(required<double>(j, "n"), 3.0);
    EXPECT_THROW(required<int>(j, "f"), DecodeError);
    EXPECT_THROW(required<std::string>(j, "n"), DecodeError);
    EXPECT_THROW(required<bool>(j, "n"), DecodeError);
    EXPECT_THROW(required<unsigned>(j, "neg"), DecodeError);
    EXPECT_THROW(required<int>(j, "missing"), DecodeError);
    EXPECT_THROW(required<int>(Json::array(), "n"), DecodeError);
}

TEST(JsonCodec, OptionalKeysReadNullAndMissingAsAbsentButStillCheckType) {
    const Json j = {{"null", nullptr}, {"s", "x"}};
    EXPECT_EQ(optional<double>(j, "null"), std::nullopt);
    EXPECT_EQ(optional<double>(j, "missing"), std::nullopt);
    EXPECT_THROW(optional<double>(j, "s"), DecodeError);
    EXPECT_EQ(optional<std::vector<std::string>>(Json{{"l", {"a", "b"}}}, "l")->size(), 2u);
}

TEST(JsonCodec, NonFiniteNumbersNeverReachTheText) {
    Json j = Json::object();
    const double inf = std::numeric_limits<double>::infinity();
    put(j, "required", inf);
    put(j, "optional", std::optional<double>(std::nan("")));
    put(j, "absent", std::optional<double>());
    put(j, "list", std::vector<double>{inf, 1.5});
    put(j, "map", std::map<std::string, double>{{"gpu", -inf}});
    EXPECT_EQ(j.dump(), R"({"list":[0.0,1.5],"map":{"gpu":0.0},"required":0.0})");
}

TEST(JsonCodec, DatesAreWholeSecondUtcTexts) {
    using namespace std::chrono;
    const zantiva::Date d = sys_days{2026y / December / 6} + 20h + 41min + 7s + 900ms;
    Json j = Json::object();
    put(j, "at", d);
    EXPECT_EQ(j["at"], "2026-12-06T20:41:07Z");
    EXPECT_EQ(required<zantiva::Date>(j, "at"), floor<seconds>(d));
    EXPECT_EQ(zantiva::parseIso8601("2026-12-07T00:11:07+03:30"), floor<seconds>(d));
    EXPECT_EQ(zantiva::parseIso8601("2026-02-30T00:00:00Z"), std::nullopt);
    EXPECT_THROW(required<zantiva::Date>(Json{{"at", "yesterday"}}, "at"), DecodeError);
}

TEST(JsonCodec, DatesOutsideTheClocksRangeFailInsteadOfWrapping) {
    using zantiva::iso8601;
    using zantiva::parseIso8601;
    // The clock counts nanoseconds in 64 bits: from 1677-09-21T00:12:43.15Z to 2262-04-11T23:47:16.85Z.
    for (const char* edge : {"1677-09-21T00:12:44Z", "2262-04-11T23:47:16Z", "1970-01-01T00:00:00Z"}) {
        const auto date = parseIso8601(edge);
        ASSERT_TRUE(date) << edge;
        EXPECT_EQ(iso8601(*date), edge);
    }
    for (const char* outside : {"1677-09-21T00:12:43Z", "2262-04-11T23:47:17Z", "2262-04-11T23:47:16-00:01",
                                "4052-01-01T00:00:00Z", "0000-01-01T00:00:00Z", "9999-12-31T23:59:60Z"})
        EXPECT_EQ(parseIso8601(outside), std::nullopt) << outside;
    EXPECT_THROW(required<zantiva::Date>(Json{{"at", "4052-01-01T00:00:00Z"}}, "at"), DecodeError);
}
