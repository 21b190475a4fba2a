#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QProcess>

#include "Platform/FileDescriptor.h"

namespace zantiva {

// A program and its arguments as the file system's bytes, started through QProcess. QProcess
// takes them as text, in which a byte that isn't UTF-8 becomes U+FFFD and names another file:
// the child executes this list itself. QProcess then takes an exec that failed for a start and
// an exit with status 127; the start report tells the two apart. The program is given its
// standard streams (and the kept report) and no other descriptor of this one.
class ByteCommand {
public:
    // `words`: the program, then its arguments.
    explicit ByteCommand(std::vector<std::string> words);

    // Starts the command in `process` (once) and waits until the exec has run in the child; gives
    // why no child could be made, when none was (an exec that failed shows in startFailure()).
    // `prepare` runs in the child just before the exec: async-signal-safe calls only.
    // `keepReportAs`: the report stays open in the program as this descriptor, for a program
    // that reports the failed starts of its own children there the same way (errno in decimal).
    std::optional<std::string> start(QProcess& process, QIODevice::OpenMode mode,
                                     std::function<void()> prepare = {},
                                     std::optional<int> keepReportAs = std::nullopt);

    // Why the program could not be started, in the system's words; absent when it was. Read
    // once the process has ended, when the program reports on the kept report too.
    std::optional<std::string> startFailure() const;

private:
    struct Argv;
    // Shared with the child's set-up, which QProcess keeps.
    std::shared_ptr<const Argv> argv_;
    FileDescriptor report_;
};

} // namespace zantiva
