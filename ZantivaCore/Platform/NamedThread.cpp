#include "Platform/NamedThread.h"

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "Platform/Log.h"

namespace zantiva {
namespace {
constexpr std::size_t kernelNameLimit = 15;
}

int niceLevel(ThreadQoS qos) {
    switch (qos) {
    case ThreadQoS::utility: return 5;
    case ThreadQoS::userInitiated: return 0;
    case ThreadQoS::userInteractive: return -5;
    }
    return 0;
}

void adoptThreadIdentity(const ThreadIdentity& identity) {
    if (!identity.shortName.empty()) {
        const std::string name = identity.shortName.substr(0, kernelNameLimit);
        pthread_setname_np(pthread_self(), name.c_str());
        if (!identity.label.empty()) log::info("threads", name + " is " + identity.label);
    }
    // On Linux a nice level belongs to the thread (its task id), not the whole process.
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    setpriority(PRIO_PROCESS, tid, niceLevel(identity.qos));
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
