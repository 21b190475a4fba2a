#include "Bridge/DetachedTask.h"

#include <exception>

#include "Bridge/ExceptionCatcher.h"

namespace zantiva {
namespace {

QCoro::Task<> reporting(QCoro::Task<> task) {
    try {
        co_await task;
    } catch (...) {
        ExceptionCatcher::report(ExceptionCatcher::describe(std::current_exception()));
    }
}

} // namespace

void detach(QCoro::Task<> task) {
    // The wrapper runs to its first suspension now and frees itself when it ends.
    [[maybe_unused]] auto running = reporting(std::move(task));
}

} // namespace zantiva
