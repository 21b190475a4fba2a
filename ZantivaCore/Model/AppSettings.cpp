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
    if (auto it = object.find("language"); it != object.end() && it->is_string() && *it == "en")
        settings.language = AppLanguage::english;
    if (auto it = object.find("dismissed_update_version"); it != object.end() && it->is_string())
        settings.dismissedUpdateVersion = it->get<std::string>();
    return settings;
}

} // namespace zantiva
