#include "Platform/ProcessEnd.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define ZANTIVA_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZANTIVA_LEAK_CHECK 1
#endif
#endif
#ifdef ZANTIVA_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace zantiva {

void endProcess(int status) {
    std::cout.flush();
    std::cerr.flush();
    std::clog.flush();
    std::fflush(nullptr);
#ifdef ZANTIVA_LEAK_CHECK
    // The check that the exit skipped here would have made.
    __lsan_do_leak_check();
#endif
    ::_exit(status);
}

} // namespace zantiva
