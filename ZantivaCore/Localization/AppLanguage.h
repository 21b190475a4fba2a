#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zantiva {

// The two interface languages. Persian is the default of the whole program.
enum class AppLanguage { persian, english };

inline constexpr std::array<AppLanguage, 2> allAppLanguages{AppLanguage::persian, AppLanguage::english};

std::string_view rawValue(AppLanguage language);
// Exactly "fa" or "en"; case matters.
std::optional<AppLanguage> appLanguageFromRaw(std::string_view raw);
bool isRightToLeft(AppLanguage language);
std::string shortLabel(AppLanguage language);

} // namespace zantiva
