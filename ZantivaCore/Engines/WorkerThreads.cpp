#include "Engines/WorkerThreads.h"

#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace zantiva {

void runOnThreads(int count, const std::function<ThreadIdentity(int)>& identity,
                  const std::function<void(int)>& body) {
    std::mutex errorLock;
    std::exception_ptr firstError;
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    auto keepFirst = [&](std::exception_ptr error) {
        std::lock_guard lock(errorLock);
        if (!firstError) firstError = error;
    };
    for (int i = 0; i < count; ++i) {
        try {
            threads.push_back(startNamedThread(identity(i), [&, i] {
                try {
                    body(i);
                } catch (...) {
                    keepFirst(std::current_exception());
                }
            }));
        } catch (...) {
            // No thread to be had: the ones started still end before the error travels on.
            keepFirst(std::current_exception());
            break;
        }
    }
    for (auto& thread : threads) thread.join();
    if (firstError) std::rethrow_exception(firstError);
}

} // namespace zantiva
