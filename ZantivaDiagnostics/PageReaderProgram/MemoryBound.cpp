#include "PageReaderProgram/MemoryBound.h"

#include <unistd.h>

#include <QTimer>

#include "Platform/ProcessTree.h"

namespace zantiva {
namespace {

constexpr std::chrono::milliseconds interval{100};

std::uint64_t treeMemory() {
    const pid_t self = ::getpid();
    std::uint64_t total = ownMemoryOf(self);
    for (const pid_t pid : descendantsOf(self)) total += ownMemoryOf(pid);
    return total;
}

} // namespace

void boundMemory(std::uint64_t limit, std::function<void()> onPassed, QObject* owner) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, limit, onPassed = std::move(onPassed)] {
        if (treeMemory() <= limit) return;
        timer->stop();
        onPassed();
    });
    timer->start(interval);
}

} // namespace zantiva
