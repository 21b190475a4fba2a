#include "Platform/Display.h"

#include <cstdlib>

namespace zantiva {
namespace {

constexpr const char* displayVariables[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

bool hasDisplay() {
    for (const char* name : displayVariables)
        if (isSet(name)) return true;
    return false;
}

std::string displaySettings() {
    std::string settings;
    for (const char* name : displayVariables)
        if (isSet(name)) settings += (settings.empty() ? "" : ", ") + std::string(name) + '=' + std::getenv(name);
    return settings;
}

} // namespace zantiva
