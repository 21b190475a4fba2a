#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zantiva {

// One argument of a message template: absent, an integer, a floating value or a text.
// It converts implicitly from the usual C++ values, so callers write
// loc.f("Key", 3, 2.5, "x", std::optional<int>{}). A bool is the text "true" or "false";
// a char is a one-character text (signed and unsigned char stay integers).
class FormatArg {
public:
    FormatArg() = default;
    FormatArg(std::nullopt_t) {}
    FormatArg(std::nullptr_t) {}

    template <std::integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char>)
    FormatArg(T value) {
        if constexpr (std::is_signed_v<T>)
            value_ = static_cast<std::int64_t>(value);
        else
            value_ = static_cast<std::uint64_t>(value);
    }
    // A float is widened, so 0.1f shows as the double nearest to it.
    template <std::floating_point T> FormatArg(T value) : value_(static_cast<double>(value)) {}

    FormatArg(bool value) : value_(std::string(value ? "true" : "false")) {}
    FormatArg(char value) : value_(std::string(1, value)) {}
    FormatArg(const char* text) {
        if (text) value_ = std::string(text);
    }
    FormatArg(std::string_view text) : value_(std::string(text)) {}
    FormatArg(std::string text) : value_(std::move(text)) {}

    template <typename T>
        requires std::constructible_from<FormatArg, const T&>
    FormatArg(const std::optional<T>& value) {
        if (value) *this = FormatArg(*value);
    }

    bool isAbsent() const { return std::holds_alternative<std::monostate>(value_); }
    bool isNumber() const { return !isAbsent() && !std::holds_alternative<std::string>(value_); }
    bool isInteger() const {
        return std::holds_alternative<std::int64_t>(value_) || std::holds_alternative<std::uint64_t>(value_);
    }
    // The number as a double; 0 for absent values and texts.
    double asDouble() const;

    // The value's own text: integers in decimal, doubles as their shortest text that reads
    // back as the same double and with ".0" when integral (3.0 gives "3.0", 1e17 gives
    // "1e+17"), a text as it is, an absent value as the empty text.
    std::string description() const;

    bool operator==(const FormatArg&) const = default;

private:
    std::variant<std::monostate, std::int64_t, std::uint64_t, double, std::string> value_;
};

// The shortest text of a double that reads back as the same double, in the notation
// described at FormatArg::description.
std::string doubleDescription(double value);

} // namespace zantiva
