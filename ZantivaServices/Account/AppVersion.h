#pragma once

#include <array>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace zantiva {

// A dotted version of two to four whole numbers ("2.1", "1.0.3", "1.2.3.4"), compared part
// by part with missing parts as 0 (so "2.1" equals "2.1.0").
class AppVersion {
public:
    AppVersion() = default;

    // Absent for text that is not two to four dot-separated runs of decimal digits
    // (surrounding blanks allowed).
    static std::optional<AppVersion> parse(std::string_view text);
    // The running program's version; the zero version if the build's version is unusable.
    static AppVersion current();

    // Three numbers, four when the fourth is not 0.
    std::string description() const;

    std::strong_ordering operator<=>(const AppVersion&) const = default;
    bool operator==(const AppVersion&) const = default;

private:
    std::array<unsigned long, 4> parts_{};
};

} // namespace zantiva
