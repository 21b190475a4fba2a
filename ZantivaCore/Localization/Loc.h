#pragma once

#include <atomic>
#include <concepts>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Localization/AppLanguage.h"
#include "Localization/FormatArg.h"
#include "Localization/LocalizedMessage.h"

namespace zantiva {

// The holder of the interface language and the lookup from message key to text.
// Loc::shared() is the process-wide holder (created on first use, Persian); the
// command-line modes make their own. The language is read and changed on the main
// thread; listeners hear of each real change once. The static lookups read only the
// fixed tables and may run on any thread.
class Loc {
public:
    using Table = std::unordered_map<std::string_view, std::string_view>;
    using Listener = std::function<void(AppLanguage)>;
    using ListenerToken = std::uint64_t;

    explicit Loc(AppLanguage language);
    Loc(const Loc&) = delete;
    Loc& operator=(const Loc&) = delete;

    static Loc& shared();

    AppLanguage language() const { return language_.load(std::memory_order_relaxed); }
    // Sets the language and tells the listeners, only when it differs from the current one.
    void setLanguage(AppLanguage language);
    bool isRightToLeft() const { return zantiva::isRightToLeft(language()); }
    bool isPersian() const { return isRightToLeft(); }

    // Called with the new language after each real change; keep the token to unsubscribe.
    ListenerToken subscribe(Listener listener);
    void unsubscribe(ListenerToken token);

    // The key's text in the current language.
    std::string t(std::string_view key) const { return string(key, language()); }
    std::string operator[](std::string_view key) const { return t(key); }

    // The key's text in the current language with its placeholders filled; numbers keep
    // their type, so "{0:0.0}" with 87.25 gives "87.3".
    std::string f(std::string_view key, const std::convertible_to<FormatArg> auto&... args) const {
        // Built element by element: an initializer list of variants trips a false
        // "may be used uninitialized" in g++ 12.
        std::vector<FormatArg> list;
        list.reserve(sizeof...(args));
        (list.emplace_back(args), ...);
        return format(key, language(), list);
    }

    std::string resolve(const LocalizedMessage& message) const { return message.resolved(language()); }

    // The key's text in that language, else the English text, else "[key]".
    static std::string string(std::string_view key, AppLanguage language);
    static std::string format(std::string_view key, AppLanguage language, const std::vector<FormatArg>& args);
    static const Table& table(AppLanguage language);
    // Whether the English table holds the key.
    static bool has(std::string_view key);

private:
    std::atomic<AppLanguage> language_;
    std::map<ListenerToken, Listener> listeners_;
    ListenerToken nextToken_ = 1;
};

} // namespace zantiva
