#include "Platform/NamedThread.h"

#include <algorithm>
#include <cerrno>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "Platform/Log.h"

namespace zantiva {
namespace {
constexpr std::size_t kernelNameLimit = 15;
constexpr int lowestNiceLevel = 19;

// The main thread's (its task id is the process id): the level the program was started with,
// which no named thread changes.
int startNiceLevel() {
    errno = 0;
    const int level = getpriority(PRIO_PROCESS, static_cast<id_t>(::getpid()));
    return errno == 0 ? level : 0;
}
} // namespace

int niceLevel(ThreadQoS qos, int startLevel) {
    const int below = qos == ThreadQoS::utility ? 5 : 0;
    return std::min(startLevel + below, lowestNiceLevel);
}

void adoptThreadIdentity(const ThreadIdentity& identity) {
    if (!identity.shortName.empty()) {
        const std::string name = identity.shortName.substr(0, kernelNameLimit);
        pthread_setname_np(pthread_self(), name.c_str());
        if (!identity.label.empty()) log::info("threads", name + " is " + identity.label);
    }
    // On Linux a nice level belongs to the thread (its task id), not the whole process.
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    setpriority(PRIO_PROCESS, tid, niceLevel(identity.qos, startNiceLevel()));
}

std::thread startNamedThread(ThreadIdentity identity, std::function<void()> body) {
    return std::thread([identity = std::move(identity), body = std::move(body)] {
        adoptThreadIdentity(identity);
        body();
    });
}

std::string currentThreadName() {
    char name[kernelNameLimit + 1] = {};
    pthread_getname_np(pthread_self(), name, sizeof name);
    return name;
}

} // namespace zantiva
