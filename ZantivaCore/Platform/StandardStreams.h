#pragma once

#include <memory>
#include <streambuf>

namespace zantiva {

// Gives each closed standard stream (0, 1, 2) a descriptor of its own: /dev/null, opened the
// other way round so that every use still fails as on a closed one. Left closed, its number
// goes to the next file the program opens (the event loop's descriptor, the log's socket, a
// store's file), which would then take what is printed. Call it first in main.
void holdClosedStandardStreams();

// While it lives, std::cout and std::cerr write to standard output and error through
// writeAll: a stream that another program made non-blocking (a pipe it shares), full for a
// moment, is waited on until it takes the rest, never cut short. Make one at the start of
// main; it writes what is left and puts the library's own buffers back when it goes.
class WholeStandardWrites {
public:
    WholeStandardWrites();
    ~WholeStandardWrites();
    WholeStandardWrites(const WholeStandardWrites&) = delete;
    WholeStandardWrites& operator=(const WholeStandardWrites&) = delete;

private:
    class Buffer;
    std::unique_ptr<Buffer> out_;
    std::unique_ptr<Buffer> err_;
    std::streambuf* savedOut_;
    std::streambuf* savedErr_;
};

} // namespace zantiva
