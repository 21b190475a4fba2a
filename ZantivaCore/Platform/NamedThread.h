#pragma once

#include <functional>
#include <string>
#include <thread>

namespace zantiva {

// Quality of service of a thread, carried out as a nice level (best effort: a level the
// process may not take, such as a negative one without privilege, is left as it is).
enum class ThreadQoS { utility, userInitiated, userInteractive };

int niceLevel(ThreadQoS qos);

// Who a thread is. Linux keeps at most 15 bytes of a thread name, so threads carry a
// short kernel name ("zv-cpu-w3") and their full label goes to the log.
struct ThreadIdentity {
    std::string label;     // reverse-domain label, for example "com.zantiva.cpu-benchmark.worker-3"
    std::string shortName; // kernel name; cut to 15 bytes; empty leaves the thread unnamed
    ThreadQoS qos = ThreadQoS::userInitiated;
};

// Names the calling thread and sets its nice level.
void adoptThreadIdentity(const ThreadIdentity& identity);

// Starts a thread that adopts identity and then runs body.
std::thread startNamedThread(ThreadIdentity identity, std::function<void()> body);

// The kernel name of the calling thread.
std::string currentThreadName();

} // namespace zantiva
