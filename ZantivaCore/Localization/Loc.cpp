#include "Localization/Loc.h"

#include "Localization/CompositeFormat.h"
#include "Localization/MessageTables.h"

namespace zantiva {

Loc::Loc(AppLanguage language) : language_(language) {}

Loc& Loc::shared() {
    static Loc instance(AppLanguage::persian);
    return instance;
}

void Loc::setLanguage(AppLanguage language) {
    if (language_.exchange(language) == language) return;
    // A copy, so that a listener may unsubscribe itself or others while being told.
    const auto listeners = listeners_;
    for (const auto& [token, listener] : listeners) listener(language);
}

Loc::ListenerToken Loc::subscribe(Listener listener) {
    const ListenerToken token = nextToken_++;
    listeners_.emplace(token, std::move(listener));
    return token;
}

void Loc::unsubscribe(ListenerToken token) { listeners_.erase(token); }

std::string Loc::string(std::string_view key, AppLanguage language) {
    const Table& own = table(language);
    if (const auto found = own.find(key); found != own.end()) return std::string(found->second);
    const Table& english = StringsEn::table();
    if (const auto found = english.find(key); found != english.end()) return std::string(found->second);
    return "[" + std::string(key) + "]";
}

std::string Loc::format(std::string_view key, AppLanguage language, const std::vector<FormatArg>& args) {
    return CompositeFormat::format(string(key, language), args);
}

const Loc::Table& Loc::table(AppLanguage language) {
    return language == AppLanguage::english ? StringsEn::table() : StringsFa::table();
}

bool Loc::has(std::string_view key) { return StringsEn::table().contains(key); }

} // namespace zantiva
