#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zantiva {

// Cuts a stream of output bytes into lines at "\n" and "\r" (so a tool's "\r" progress
// updates arrive as lines of their own); empty lines are dropped. A line longer than
// `maxLineBytes` is passed on in pieces of that size, so a tool that never ends a line
// can't grow memory without bound.
class OutputLineSplitter {
public:
    using LineHandler = std::function<void(std::string_view)>;

    explicit OutputLineSplitter(std::size_t maxLineBytes = 64 * 1024) : maxLineBytes_(maxLineBytes) {}

    void feed(std::string_view bytes, const LineHandler& onLine);
    // Passes on what is left after the last line break.
    void finish(const LineHandler& onLine);

private:
    // Passes on the partial line with `tail`, the rest of that line, added.
    void pass(std::string_view tail, const LineHandler& onLine);

    std::string partial_;
    std::size_t maxLineBytes_;
};

} // namespace zantiva
