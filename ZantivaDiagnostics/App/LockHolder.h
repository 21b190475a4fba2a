#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zantiva {

// Who holds the single-instance lock, as the holder wrote it into the lock file: its process
// number, host name and boot id, one a line. Only ever read to tell the user who it is: the
// flock says whether it lives.
struct LockHolder {
    std::int64_t process = 0;
    std::string host;
    std::string bootId;

    static LockHolder thisProcess();
    // Absent when the text isn't such a record (the holder hasn't written it yet).
    static std::optional<LockHolder> fromRecord(std::string_view record);
    std::string record() const;

    // The same boot id is this machine whatever the host name (a container has one of its
    // own); a record without one is judged by the host name.
    bool onThisMachine() const;
    // Whether its host name is another than this one's, so a message must name it.
    bool namedOtherHost() const;
};

} // namespace zantiva
