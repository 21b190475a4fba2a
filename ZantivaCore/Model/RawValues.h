#pragma once

// Enumerations whose cases have fixed text raw values (the form they are stored and
// compared in). An enumeration takes part by specialising RawValues<E> with a table of
// (case, raw text) in declaration order; it then gets rawValue(), fromRaw<E>(),
// allCases<E>() and its JSON form as that text.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "Model/JsonCodec.h"

namespace zantiva {

// Specialise: static constexpr std::array<std::pair<E, std::string_view>, N> table{...};
template <typename E> struct RawValues;

template <typename E>
concept HasRawValues = std::is_enum_v<E> && requires { RawValues<E>::table; };

template <HasRawValues E> constexpr std::string_view rawValue(E value) {
    for (const auto& [e, raw] : RawValues<E>::table)
        if (e == value) return raw;
    return {};
}

// Exact, case-sensitive match; anything else gives no value.
template <HasRawValues E> constexpr std::optional<E> fromRaw(std::string_view raw) {
    for (const auto& [e, text] : RawValues<E>::table)
        if (text == raw) return e;
    return std::nullopt;
}

template <HasRawValues E> constexpr auto allCases() {
    std::array<E, RawValues<E>::table.size()> out{};
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = RawValues<E>::table[i].first;
    return out;
}

namespace json {
template <HasRawValues E> struct EnumText<E> {
    static std::string toText(E value) { return std::string(rawValue(value)); }
    static std::optional<E> fromText(std::string_view raw) { return fromRaw<E>(raw); }
};
} // namespace json

} // namespace zantiva
