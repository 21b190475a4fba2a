#pragma once

// Strict reading and writing of records as JSON. A required key that is missing or of
// the wrong type fails the whole record (DecodeError); an optional key may be missing
// or null and then reads as absent; unknown keys are ignored. Absent optionals are left
// out when writing, never written as null.
//
// A record type T takes part by offering
//   nlohmann::json toJson() const;   and   static T fromJson(const nlohmann::json&);
// An enumeration E takes part through specialising EnumText<E> with toText/fromText.
// Dates (Model/Date.h) are ISO 8601 texts in UTC with whole seconds.

#include <cmath>
#include <concepts>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include <nlohmann/json.hpp>

#include "Model/Date.h"

namespace zantiva::json {

using Json = nlohmann::json;

struct DecodeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Specialise for each enumeration with text raw values:
//   static std::string toText(E); static std::optional<E> fromText(std::string_view);
template <typename E> struct EnumText;

template <typename T>
concept Record = requires(const T& t, const Json& j) {
    { t.toJson() } -> std::convertible_to<Json>;
    { T::fromJson(j) } -> std::same_as<T>;
};

template <typename E>
concept TextEnum = std::is_enum_v<E> && requires(E e) { EnumText<E>::toText(e); };

template <typename T> struct IsOptional : std::false_type {};
template <typename T> struct IsOptional<std::optional<T>> : std::true_type {};
template <typename T> struct IsVector : std::false_type {};
template <typename T> struct IsVector<std::vector<T>> : std::true_type {};
template <typename T> struct IsStringMap : std::false_type {};
template <typename T> struct IsStringMap<std::map<std::string, T>> : std::true_type {};

// Non-finite numbers have no JSON form. Required values become 0 and optional ones are
// left out; the caller of write() learns of it through this hook so it can log it.
void reportNonFinite(std::string_view key);

// ---- decoding of one value ----

template <typename T> T decodeValue(const Json& v, std::string_view key);

namespace detail {
[[noreturn]] void fail(std::string_view key, std::string_view what);
} // namespace detail

template <typename T> T decodeValue(const Json& v, std::string_view key) {
    if constexpr (std::is_same_v<T, bool>) {
        if (!v.is_boolean()) detail::fail(key, "a boolean");
        return v.get<bool>();
    } else if constexpr (std::is_integral_v<T>) {
        if (v.is_number_integer()) {
            if constexpr (std::is_unsigned_v<T>) {
                if (v.is_number_unsigned()) return static_cast<T>(v.get<std::uint64_t>());
                if (v.get<std::int64_t>() < 0) detail::fail(key, "a non-negative integer");
            }
            return static_cast<T>(v.get<std::int64_t>());
        }
        // A whole number written with a fraction part ("3.0") still reads as an integer.
        if (v.is_number_float()) {
            const double d = v.get<double>();
            if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.2e18) return static_cast<T>(d);
        }
        detail::fail(key, "an integer");
    } else if constexpr (std::is_floating_point_v<T>) {
        if (!v.is_number()) detail::fail(key, "a number");
        return v.get<T>();
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (!v.is_string()) detail::fail(key, "a text");
        return v.get<std::string>();
    } else if constexpr (std::is_same_v<T, Date>) {
        if (!v.is_string()) detail::fail(key, "a date");
        auto d = parseIso8601(v.get_ref<const std::string&>());
        if (!d) detail::fail(key, "an ISO 8601 date");
        return *d;
    } else if constexpr (TextEnum<T>) {
        if (!v.is_string()) detail::fail(key, "a text");
        auto e = EnumText<T>::fromText(v.get_ref<const std::string&>());
        if (!e) detail::fail(key, "a known value");
        return *e;
    } else if constexpr (Record<T>) {
        if (!v.is_object()) detail::fail(key, "an object");
        return T::fromJson(v);
    } else if constexpr (requires { typename T::value_type; typename T::allocator_type; }
                         && std::is_same_v<T, std::vector<typename T::value_type>>) {
        if (!v.is_array()) detail::fail(key, "a list");
        T out;
        out.reserve(v.size());
        for (const auto& item : v) out.push_back(decodeValue<typename T::value_type>(item, key));
        return out;
    } else if constexpr (requires { typename T::mapped_type; }
                         && std::is_same_v<T, std::map<std::string, typename T::mapped_type>>) {
        if (!v.is_object()) detail::fail(key, "an object");
        T out;
        for (auto it = v.begin(); it != v.end(); ++it)
            out.emplace(it.key(), decodeValue<typename T::mapped_type>(it.value(), key));
        return out;
    } else {
        static_assert(sizeof(T) == 0, "no JSON form for this type");
    }
}

// The value of a required key; DecodeError when it is missing or mistyped.
template <typename T> T required(const Json& object, std::string_view key) {
    if (!object.is_object()) detail::fail(key, "an object around it");
    auto it = object.find(key);
    if (it == object.end()) detail::fail(key, "present");
    return decodeValue<T>(*it, key);
}

// The value of an optional key: absent when missing or null; DecodeError when mistyped.
template <typename T> std::optional<T> optional(const Json& object, std::string_view key) {
    if (!object.is_object()) detail::fail(key, "an object around it");
    auto it = object.find(key);
    if (it == object.end() || it->is_null()) return std::nullopt;
    return decodeValue<T>(*it, key);
}

// ---- encoding of one value ----

template <typename T> Json encodeValue(const T& value, std::string_view key) {
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value)) {
            reportNonFinite(key);
            return 0.0;
        }
        return value;
    } else if constexpr (std::is_same_v<T, Date>) {
        return iso8601(value);
    } else if constexpr (TextEnum<T>) {
        return EnumText<T>::toText(value);
    } else if constexpr (Record<T>) {
        return value.toJson();
    } else if constexpr (IsVector<T>::value) {
        Json out = Json::array();
        for (const auto& item : value) out.push_back(encodeValue(item, key));
        return out;
    } else if constexpr (IsStringMap<T>::value) {
        Json out = Json::object();
        for (const auto& [k, v] : value) out[k] = encodeValue(v, key);
        return out;
    } else {
        return value;
    }
}

// Writes a required value under key.
template <typename T> void put(Json& object, std::string_view key, const T& value) {
    object[std::string(key)] = encodeValue(value, key);
}

// Writes an optional value under key, or nothing when it is absent or non-finite.
template <typename T> void put(Json& object, std::string_view key, const std::optional<T>& value) {
    if (!value) return;
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(*value)) {
            reportNonFinite(key);
            return;
        }
    }
    object[std::string(key)] = encodeValue(*value, key);
}

} // namespace zantiva::json
