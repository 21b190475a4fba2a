#pragma once

#include <mutex>
#include <ostream>
#include <string>
#include <string_view>

namespace zantiva {

// One status line on a terminal that each update rewrites in place; on anything that
// is not a terminal (a pipe, a file) it writes nothing. Safe to update from any thread.
// A text wider than the terminal is cut to fit: a wrapped line could no longer be
// rewritten, and every update would leave a line behind.
class ProgressLine {
public:
    // columns: the terminal's width; 0 when unknown (nothing is cut).
    ProgressLine(std::ostream& err, bool isTerminal, int columns = 0)
        : err_(err), enabled_(isTerminal), columns_(columns) {}
    ~ProgressLine() { clear(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void update(std::string_view text);
    // Removes the line so that what follows starts on a clean line.
    void clear();

private:
    std::mutex lock_;
    std::ostream& err_;
    const bool enabled_;
    const int columns_;
    std::string shown_;
};

} // namespace zantiva
