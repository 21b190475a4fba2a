#include "Localization/AppLanguage.h"

namespace zantiva {

std::string_view rawValue(AppLanguage language) { return language == AppLanguage::persian ? "fa" : "en"; }

std::optional<AppLanguage> appLanguageFromRaw(std::string_view raw) {
    if (raw == "fa") return AppLanguage::persian;
    if (raw == "en") return AppLanguage::english;
    return std::nullopt;
}

bool isRightToLeft(AppLanguage language) { return language == AppLanguage::persian; }

std::string shortLabel(AppLanguage language) { return language == AppLanguage::persian ? "FA" : "EN"; }

} // namespace zantiva
