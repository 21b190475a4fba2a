#pragma once

// A record's JSON form as one table of (key, member): the same table writes and reads
// the record, so the two directions cannot drift apart. A member of type std::optional
// is optional (left out when absent, missing or null reads as absent); every other
// member is required (DecodeError when missing or mistyped).
//
//   constexpr auto fields = std::tuple{json::field("name", &CoreCluster::name), ...};
//   Json CoreCluster::toJson() const { return json::encodeFields(*this, fields); }
//   CoreCluster CoreCluster::fromJson(const Json& j) { return json::decodeFields(j, fields); }

#include <string_view>
#include <tuple>

#include "Model/JsonCodec.h"

namespace zantiva::json {

template <typename R, typename T> struct Field {
    std::string_view key;
    T R::*member;
};

template <typename R, typename T> constexpr Field<R, T> field(std::string_view key, T R::*member) {
    return {key, member};
}

template <typename T> T readField(const Json& object, std::string_view key) {
    if constexpr (IsOptional<T>::value)
        return optional<typename T::value_type>(object, key);
    else
        return required<T>(object, key);
}

template <typename R, typename... T>
Json encodeFields(const R& record, const std::tuple<Field<R, T>...>& fields) {
    Json out = Json::object();
    std::apply([&](const auto&... f) { (put(out, f.key, record.*(f.member)), ...); }, fields);
    return out;
}

// Every member of R is overwritten from the object; R's defaults fill nothing in.
template <typename R, typename... T>
R decodeFields(const Json& object, const std::tuple<Field<R, T>...>& fields) {
    if (!object.is_object()) throw DecodeError("a record must be a JSON object");
    R out{};
    std::apply([&](const auto&... f) { ((out.*(f.member) = readField<T>(object, f.key)), ...); }, fields);
    return out;
}

} // namespace zantiva::json
