#include "Engines/WorkerThreads.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include <sched.h>
#include <unistd.h>

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

int usableProcessorCount() {
    // The kernel refuses a set smaller than its own mask (EINVAL), and machines with more
    // than 1024 processors have a larger one than cpu_set_t holds: grow until it fits.
    const long configured = ::sysconf(_SC_NPROCESSORS_CONF);
    for (int processors = std::max(1024, static_cast<int>(configured)); processors <= (1 << 22); processors *= 2) {
        cpu_set_t* set = CPU_ALLOC(processors);
        if (!set) break;
        const std::size_t size = CPU_ALLOC_SIZE(processors);
        CPU_ZERO_S(size, set);
        const bool read = ::sched_getaffinity(0, size, set) == 0;
        const int error = read ? 0 : errno;
        const int count = read ? CPU_COUNT_S(size, set) : 0;
        CPU_FREE(set);
        if (read && count > 0) return count;
        if (read || error != EINVAL) break;
    }
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : 1;
}

} // namespace zantiva
