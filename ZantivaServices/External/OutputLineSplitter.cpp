#include "External/OutputLineSplitter.h"

#include <algorithm>
#include <cstring>

namespace zantiva {
namespace {

// Where `c` next stands in [from, end), or end.
const char* next(const char* from, const char* end, char c) {
    const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return found ? static_cast<const char*>(found) : end;
}

} // namespace

void OutputLineSplitter::feed(std::string_view bytes, const LineHandler& onLine) {
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    // The next "\n" and "\r", each looked for again only once passed: every byte is
    // scanned once for each, by memchr.
    const char* newline = next(at, end, '\n');
    const char* carriageReturn = next(at, end, '\r');
    while (at < end) {
        if (newline < at) newline = next(at, end, '\n');
        if (carriageReturn < at) carriageReturn = next(at, end, '\r');
        const char* const lineBreak = std::min(newline, carriageReturn);
        const std::size_t room = maxLineBytes_ - partial_.size();
        if (static_cast<std::size_t>(lineBreak - at) >= room) {
            // The line reaches the limit before it ends: that much is passed on as a piece.
            pass(std::string_view(at, room), onLine);
            at += room;
        } else if (lineBreak < end) {
            pass(std::string_view(at, static_cast<std::size_t>(lineBreak - at)), onLine);
            at = lineBreak + 1;
        } else {
            partial_.append(at, end);
            at = end;
        }
    }
}

void OutputLineSplitter::pass(std::string_view tail, const LineHandler& onLine) {
    if (partial_.empty()) {
        if (!tail.empty()) onLine(tail);
        return;
    }
    partial_.append(tail);
    finish(onLine);
}

void OutputLineSplitter::finish(const LineHandler& onLine) {
    if (partial_.empty()) return;
    std::string line;
    line.swap(partial_);
    onLine(line);
}

} // namespace zantiva
