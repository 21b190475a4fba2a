#include "Localization/MessageTables.h"

// Placeholder until the generated tables land.
namespace zantiva::StringsEn {
const std::unordered_map<std::string_view, std::string_view>& table() {
    static const std::unordered_map<std::string_view, std::string_view> t{
        {"Result.HealthScore", "Health score {0:0.0} of 100"}};
    return t;
}
} // namespace zantiva::StringsEn
namespace zantiva::StringsFa {
const std::unordered_map<std::string_view, std::string_view>& table() {
    static const std::unordered_map<std::string_view, std::string_view> t;
    return t;
}
} // namespace zantiva::StringsFa
