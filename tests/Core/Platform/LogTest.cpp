#include "Platform/Log.h"

#include <gtest/gtest.h>

// Logging must never throw or block, whatever the text holds.
TEST(Log, AcceptsAnyText) {
    zantiva::log::info("store", "plain");
    zantiva::log::error("store", std::string_view("with\0nul and %s %n", 18));
    SUCCEED();
}
