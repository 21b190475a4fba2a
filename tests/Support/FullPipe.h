#pragma once

// A pipe whose write end is non-blocking, as another program that shares it may have made it,
// and already full: a writer's first write finds no room until the reader drains it.

#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "Platform/FileDescriptor.h"

namespace zantiva::testing {

struct FullPipe {
    FileDescriptor readEnd, writeEnd;
    std::string filling; // what was put in to fill it, read first

    FullPipe() {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return;
        readEnd = FileDescriptor(fds[0]);
        writeEnd = FileDescriptor(fds[1]);
        ::fcntl(writeEnd.get(), F_SETFL, O_NONBLOCK);
        const std::string block(4096, '.');
        for (ssize_t n = 0; (n = ::write(writeEnd.get(), block.data(), block.size())) > 0;)
            filling.append(block, 0, std::size_t(n));
    }
};

} // namespace zantiva::testing
