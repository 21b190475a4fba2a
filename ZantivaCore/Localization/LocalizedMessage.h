#pragma once

#include <concepts>
#include <string>
#include <vector>

#include "Localization/AppLanguage.h"
#include "Localization/FormatArg.h"

namespace zantiva {

// A message key with its arguments already turned into text, for code that reports to
// the user without a view at hand. It is rendered in the language current when shown,
// so a language switch also changes messages already on screen. Each argument keeps
// its own text (an Int 3 is "3", a Double 3.0 is "3.0"); a placeholder's number spec
// does not apply to it, its width does.
class LocalizedMessage {
public:
    template <std::convertible_to<FormatArg>... Args>
    explicit LocalizedMessage(std::string key, const Args&... args) : key_(std::move(key)) {
        arguments_.reserve(sizeof...(Args));
        (arguments_.push_back(FormatArg(args).description()), ...);
    }

    const std::string& key() const { return key_; }
    const std::vector<std::string>& arguments() const { return arguments_; }

    // The key's text in that language with the argument texts in place; reads neither
    // the shared Loc nor its language, so it may run on any thread.
    std::string resolved(AppLanguage language) const;

    bool operator==(const LocalizedMessage&) const = default;

private:
    std::string key_;
    std::vector<std::string> arguments_;
};

} // namespace zantiva
