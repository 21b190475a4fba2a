#include "CLI/ProgressLine.h"

#include "Localization/UnicodeText.h"

namespace zantiva {
namespace {

constexpr std::string_view eraseToEnd = "\x1b[K";

// The text's first characters that leave the terminal's last column free: writing into
// the last column already moves some terminals to the next line.
std::string_view fitted(std::string_view text, int columns) {
    if (columns <= 1 || text.size() < static_cast<std::size_t>(columns)) return text;
    const auto characters = unicode::characters(text);
    const auto keep = static_cast<std::size_t>(columns - 1);
    if (characters.size() <= keep) return text;
    return text.substr(0, static_cast<std::size_t>(characters[keep].data() - text.data()));
}

} // namespace

void ProgressLine::update(std::string_view fullText) {
    if (!enabled_) return;
    const std::string_view text = fitted(fullText, columns_);
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
