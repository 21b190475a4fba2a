#include "ExternalRun/ToolConsole.h"

#include <iterator>
#include <utility>

#include <QTimer>

#include "Observation/ObservedValue.h"

namespace zantiva {

void ToolConsole::append(std::string text) {
    // At most `limit` lines per change, so that an observer following the ids misses none.
    pending_.push_back(Line{nextID_++, std::move(text)});
    if (pending_.size() >= limit)
        flush();
    else if (pending_.size() == 1)
        QTimer::singleShot(0, this, &ToolConsole::flush);
}

void ToolConsole::flush() {
    if (pending_.empty()) return;
    const std::size_t total = lines_.size() + pending_.size();
    if (total > limit) lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(total - limit));
    lines_.insert(lines_.end(), std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.end()));
    pending_.clear();
    emit changed();
}

void ToolConsole::clear() { assignObserved(this, lines_, std::vector<Line>{}, &ToolConsole::changed); }

} // namespace zantiva
