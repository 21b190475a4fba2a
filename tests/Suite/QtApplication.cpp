// Every test of this program runs inside one QCoreApplication: the runners' coroutines,
// progress and timers move through its event loop.

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
    char name_[11] = "test_suite";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
};

[[maybe_unused]] const auto* const registered = ::testing::AddGlobalTestEnvironment(new QtApplication);

} // namespace
