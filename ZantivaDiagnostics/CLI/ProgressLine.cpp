#include "CLI/ProgressLine.h"

namespace zantiva {
namespace {
constexpr std::string_view eraseToEnd = "\x1b[K";
}

void ProgressLine::update(std::string_view text) {
    if (!enabled_) return;
    std::lock_guard guard(lock_);
    if (text == shown_) return;
    err_ << '\r' << text << eraseToEnd << std::flush;
    shown_ = text;
}

void ProgressLine::clear() {
    if (!enabled_) return;
    std::lock_guard guard(lock_);
    if (shown_.empty()) return;
    err_ << '\r' << eraseToEnd << std::flush;
    shown_.clear();
}

} // namespace zantiva
