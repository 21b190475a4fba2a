#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zantiva {

// The program's arguments as plain words: an option may stand anywhere, and its value is
// the word after it.
class CommandLine {
public:
    explicit CommandLine(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}
    CommandLine(int argc, const char* const* argv);

    bool has(std::string_view option) const;
    // The word after the option's first appearance; absent when the option is missing,
    // is the last word, or is followed by another option ("--…").
    std::optional<std::string> value(std::string_view option) const;
    // The option's value as a whole number from least to most; absent when the option is
    // missing, has no value, or its value is anything else ("2x", "1.5", out of range).
    std::optional<int> wholeNumber(std::string_view option, int least, int most) const;

    const std::vector<std::string>& arguments() const { return arguments_; }

private:
    std::vector<std::string> arguments_;
};

} // namespace zantiva
