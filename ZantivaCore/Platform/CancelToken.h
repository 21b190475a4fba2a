#pragma once

#include <atomic>
#include <memory>
#include <stdexcept>

namespace zantiva {

// Thrown by an engine run that was stopped through its CancelToken. No partial result
// comes with it.
struct CancellationError : std::runtime_error {
    CancellationError() : std::runtime_error("cancelled") {}
};

// The stop flag of one run, shared by the caller and every thread of the run. Copies
// share the flag; once set it stays set. Threads read it at their check points.
class CancelToken {
public:
    CancelToken() : flag_(std::make_shared<std::atomic<bool>>(false)) {}

    void cancel() const { flag_->store(true, std::memory_order_release); }
    bool isCancelled() const { return flag_->load(std::memory_order_acquire); }
    void throwIfCancelled() const {
        if (isCancelled()) throw CancellationError();
    }

private:
    std::shared_ptr<std::atomic<bool>> flag_;
};

} // namespace zantiva
