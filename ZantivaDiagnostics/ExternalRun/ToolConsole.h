#pragma once

#include <QObject>
#include <cstddef>
#include <string>
#include <vector>

namespace zantiva {

// The output lines of the outside tools of a run, the newest `limit` of them. A tool
// prints in bursts: each burst reaches the lines, and their observers, in one change.
// Main thread only.
class ToolConsole : public QObject {
    Q_OBJECT

public:
    // One output line; ids run on for the life of the console.
    struct Line {
        int id = 0;
        std::string text;
        bool operator==(const Line&) const = default;
    };

    static constexpr std::size_t limit = 2000;

    using QObject::QObject;

    // Oldest first, at most `limit`.
    const std::vector<Line>& lines() const { return lines_; }
    // Shown with the rest of its burst, once the event loop runs or the burst holds `limit`.
    void append(std::string text);
    // Shows what was appended now.
    void flush();
    void clear();

signals:
    void changed();

private:
    int nextID_ = 0;
    std::vector<Line> lines_;
    std::vector<Line> pending_; // appended, not yet shown
};

} // namespace zantiva
