#include "Model/AppSettings.h"

namespace zantiva {

json::Json AppSettings::toJson() const {
    json::Json object = json::Json::object();
    object["language"] = std::string(rawValue(language));
    json::put(object, "dismissed_update_version", dismissedUpdateVersion);
    return object;
}

AppSettings AppSettings::fromJson(const json::Json& object) {
    if (!object.is_object()) throw json::DecodeError("settings must be an object");
    AppSettings settings;
    if (json::optional<std::string>(object, "language") == "en") settings.language = AppLanguage::english;
    settings.dismissedUpdateVersion = json::optional<std::string>(object, "dismissed_update_version");
    return settings;
}

} // namespace zantiva
