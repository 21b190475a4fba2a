#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zantiva {

// The secret kept in the keyring for one site: the session token and the id of the user
// it belongs to, as compact JSON {"token": …, "user_id": …}. The user id lets every later
// reply be checked against the account it must be for.
struct StoredSession {
    std::string token;
    std::int64_t userId = 0;

    std::string encode() const;
    // Absent for a secret that is not such a record or has an empty token.
    static std::optional<StoredSession> decode(const std::string& secret);

    bool operator==(const StoredSession&) const = default;
};

} // namespace zantiva
