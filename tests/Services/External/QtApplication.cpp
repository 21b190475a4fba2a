// The child processes, timers and coroutines of the service run on one QCoreApplication's
// event loop.

#include <memory>

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace {

class QtApplication : public ::testing::Environment {
public:
    void SetUp() override { application_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[14] = "test_external";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
};

[[maybe_unused]] const auto* const registered = ::testing::AddGlobalTestEnvironment(new QtApplication);

} // namespace
