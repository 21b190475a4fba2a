#pragma once

#include <fstream>
#include <string>
#include <sys/types.h>

namespace zantiva::testing {

// Whether the process has ended: it is gone or only a zombie waiting for its parent.
inline bool isGone(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pidText, name, state;
    return !(stat >> pidText >> name >> state) || state == "Z";
}

} // namespace zantiva::testing
