#include "PageReaderProgram/MemoryBound.h"

#include <unistd.h>

#include <QTimer>

#include "Platform/ProcessTree.h"

namespace zantiva {
namespace {

constexpr std::chrono::milliseconds interval{100};

} // namespace

void boundMemory(std::uint64_t limit, std::function<void()> onPassed, QObject* owner) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, limit, onPassed = std::move(onPassed)] {
        // A look that failed counts as over: a bound that can't be checked doesn't hold.
        if (const auto used = treeMemoryOf(::getpid()); used && *used <= limit) return;
        timer->stop();
        onPassed();
    });
    timer->start(interval);
}

} // namespace zantiva
