#pragma once

// A record's JSON form as one table of (key, member): the same table writes and reads
// the record, so the two directions cannot drift apart. A member of type std::optional
// is optional (left out when absent, missing or null reads as absent); every other
// member is required (DecodeError when missing or mistyped). A path's member is listed
// with pathField instead of field, a list that older files may lack with listField.
//
//   constexpr auto fields = std::tuple{json::field("name", &CoreCluster::name), ...};
//   Json CoreCluster::toJson() const { return json::encodeFields(*this, fields); }
//   CoreCluster CoreCluster::fromJson(const Json& j) { return json::decodeFields(j, fields); }

#include <array>
#include <string_view>
#include <tuple>

#include "Model/JsonCodec.h"
#include "Model/PathJson.h"

namespace zantiva::json {

// How a member is written: as its type is, as a file system path's bytes (Model/PathJson.h),
// or as a list that reads as empty when it is missing or null.
enum class FieldForm { typed, path, list };

template <typename R, typename T, FieldForm form = FieldForm::typed> struct Field {
    using Record = R;
    std::string_view key;
    T R::*member;
};

template <typename R, typename T> constexpr Field<R, T> field(std::string_view key, T R::*member) {
    return {key, member};
}

// A member holding a path's bytes: std::string, or std::optional of one.
template <typename R, typename T> constexpr Field<R, T, FieldForm::path> pathField(std::string_view key, T R::*member) {
    return {key, member};
}

// A std::vector member, always written; a file without it (or with null) reads as an empty list.
template <typename R, typename T> constexpr Field<R, T, FieldForm::list> listField(std::string_view key, T R::*member) {
    return {key, member};
}

// The keys of a table, in its order: those a record's encoding may hold.
template <typename... F> constexpr std::array<std::string_view, sizeof...(F)> keysOf(const std::tuple<F...>& fields) {
    return std::apply([](const auto&... f) { return std::array<std::string_view, sizeof...(F)>{f.key...}; }, fields);
}

template <typename T> T readField(const Json& object, std::string_view key) {
    if constexpr (IsOptional<T>::value)
        return optional<typename T::value_type>(object, key);
    else
        return required<T>(object, key);
}

template <typename R, typename T, FieldForm form> void putField(Json& out, const R& record, const Field<R, T, form>& f) {
    const T& value = record.*(f.member);
    if constexpr (form != FieldForm::path) {
        put(out, f.key, value);
    } else if constexpr (IsOptional<T>::value) {
        if (value) out[std::string(f.key)] = encodePath(*value);
    } else {
        out[std::string(f.key)] = encodePath(value);
    }
}

template <typename R, typename T, FieldForm form> T readField(const Json& object, const Field<R, T, form>& f) {
    if constexpr (form == FieldForm::typed) {
        return readField<T>(object, f.key);
    } else if constexpr (form == FieldForm::list) {
        return optional<T>(object, f.key).value_or(T{});
    } else {
        const auto it = object.find(f.key);
        if constexpr (IsOptional<T>::value) {
            if (it == object.end() || it->is_null()) return std::nullopt;
        } else if (it == object.end()) {
            detail::fail(f.key, "present");
        }
        return decodePath(*it, f.key);
    }
}

template <typename R, typename... F> Json encodeFields(const R& record, const std::tuple<F...>& fields) {
    Json out = Json::object();
    std::apply([&](const auto&... f) { (putField(out, record, f), ...); }, fields);
    return out;
}

// Every member of the record is overwritten from the object; its defaults fill nothing in.
template <typename... F, typename R = typename std::tuple_element_t<0, std::tuple<F...>>::Record>
R decodeFields(const Json& object, const std::tuple<F...>& fields) {
    if (!object.is_object()) throw DecodeError("a record must be a JSON object");
    R out{};
    std::apply([&](const auto&... f) { ((out.*(f.member) = readField(object, f)), ...); }, fields);
    return out;
}

} // namespace zantiva::json
