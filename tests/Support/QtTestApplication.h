#pragma once

// A QCoreApplication for the whole of a test program, for tests whose child processes,
// timers, network and coroutines answer through Qt's event loop. Register it once per
// program, in one source file:
//   [[maybe_unused]] const auto* const app = ::testing::AddGlobalTestEnvironment(new QtTestApplication);

#include <memory>

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace zantiva::testing {

class QtTestApplication : public ::testing::Environment {
public:
    void SetUp() override { application_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[5] = "test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
};

} // namespace zantiva::testing
