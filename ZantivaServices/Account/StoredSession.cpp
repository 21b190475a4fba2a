#include "Account/StoredSession.h"

#include "Model/JsonCodec.h"

namespace zantiva {

std::string StoredSession::encode() const {
    json::Json j = json::Json::object();
    json::put(j, "token", token);
    json::put(j, "user_id", userId);
    return j.dump();
}

std::optional<StoredSession> StoredSession::decode(const std::string& secret) {
    const auto j = json::Json::parse(secret, nullptr, false);
    if (j.is_discarded()) return std::nullopt;
    try {
        StoredSession session{json::required<std::string>(j, "token"), json::required<std::int64_t>(j, "user_id")};
        if (session.token.empty()) return std::nullopt;
        return session;
    } catch (const json::DecodeError&) {
        return std::nullopt;
    }
}

} // namespace zantiva
