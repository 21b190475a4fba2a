#pragma once

// Checks shared by the record tests: the strictness rules every stored record follows.

#include <gtest/gtest.h>

#include <string>

#include "Model/JsonCodec.h"

namespace zantiva::test {

// Every key of a fully filled record's JSON is required unless named optional: removing
// one makes decoding fail; an optional one may be missing or null and reads as absent.
template <typename R>
void expectStrictKeys(const R& full, const std::vector<std::string>& optionalKeys = {}) {
    const json::Json j = full.toJson();
    for (const auto& key : optionalKeys) ASSERT_TRUE(j.contains(key)) << key << " should be filled in";
    for (auto it = j.begin(); it != j.end(); ++it) {
        json::Json without = j;
        without.erase(it.key());
        const bool isOptional = std::find(optionalKeys.begin(), optionalKeys.end(), it.key()) != optionalKeys.end();
        if (!isOptional) {
            EXPECT_THROW(R::fromJson(without), json::DecodeError) << "without " << it.key();
            continue;
        }
        json::Json nulled = j;
        nulled[it.key()] = nullptr;
        EXPECT_NO_THROW(EXPECT_EQ(R::fromJson(without).toJson(), without)) << "without " << it.key();
        EXPECT_NO_THROW(EXPECT_EQ(R::fromJson(nulled).toJson(), without)) << it.key() << " null";
    }
}

// Writing and reading back gives an equal value, and unknown keys are ignored.
template <typename R> void expectRoundTrip(const R& value) {
    json::Json j = value.toJson();
    EXPECT_EQ(R::fromJson(j), value);
    j["someKeyFromALaterVersion"] = {{"x", 1}};
    EXPECT_EQ(R::fromJson(j), value);
}

// A value of the wrong JSON type under a key fails the record.
template <typename R> void expectMistypedKeyFails(const R& value, const std::string& key, const json::Json& wrong) {
    json::Json j = value.toJson();
    ASSERT_TRUE(j.contains(key)) << key;
    j[key] = wrong;
    EXPECT_THROW(R::fromJson(j), json::DecodeError) << key;
}

} // namespace zantiva::test
