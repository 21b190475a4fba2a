#pragma once

#include <functional>
#include <string>
#include <thread>

namespace zantiva {

// Quality of service of a thread, carried out as a nice level relative to the one the
// program was started with (`nice -n 19` holds for every thread): a utility thread runs 5
// below it, the others at it. None is ever raised above it, so the user interactive level
// only names the thread's role.
enum class ThreadQoS { utility, userInitiated, userInteractive };

// The nice level of a thread of that QoS in a program started at `startLevel`.
int niceLevel(ThreadQoS qos, int startLevel);

// Who a thread is. Linux keeps at most 15 bytes of a thread name, so threads carry a
// short kernel name ("zv-cpu-w3") and their full label goes to the log.
struct ThreadIdentity {
    std::string label;     // reverse-domain label, for example "com.zantiva.cpu-benchmark.worker-3"
    std::string shortName; // kernel name; cut to 15 bytes; empty leaves the thread unnamed
    ThreadQoS qos = ThreadQoS::userInitiated;
};

// Names the calling thread and sets its nice level, relative to the main thread's.
void adoptThreadIdentity(const ThreadIdentity& identity);

// Starts a thread that adopts identity and then runs body.
std::thread startNamedThread(ThreadIdentity identity, std::function<void()> body);

// The kernel name of the calling thread.
std::string currentThreadName();

} // namespace zantiva
