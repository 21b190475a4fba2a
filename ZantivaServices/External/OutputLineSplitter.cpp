#include "External/OutputLineSplitter.h"

namespace zantiva {

void OutputLineSplitter::feed(std::string_view bytes, const LineHandler& onLine) {
    for (char c : bytes) {
        if (c == '\n' || c == '\r') {
            finish(onLine);
            continue;
        }
        partial_.push_back(c);
        if (partial_.size() >= maxLineBytes_) finish(onLine);
    }
}

void OutputLineSplitter::finish(const LineHandler& onLine) {
    if (partial_.empty()) return;
    std::string line;
    line.swap(partial_);
    onLine(line);
}

} // namespace zantiva
