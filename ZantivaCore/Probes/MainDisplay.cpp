#include "Probes/MainDisplay.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Platform/WholeNumber.h"
#include "Probes/Edid.h"

namespace zantiva {

namespace {

bool isBuiltIn(const std::string& connector) {
    for (const char* kind : {"-eDP-", "-LVDS-", "-DSI-"})
        if (connector.find(kind) != std::string::npos) return true;
    return false;
}

std::string resolutionText(int width, int height) {
    return std::to_string(width) + " \u00D7 " + std::to_string(height);
}

std::optional<MainDisplay> describe(const ProbeRoot& root, const std::string& connector) {
    const std::string base = "/sys/class/drm/" + connector;
    if (auto timing = EdidTiming::parse(root.bytes(base + "/edid", 64 * 1024).value_or("")))
        return MainDisplay{resolutionText(timing->width, timing->height), std::llround(timing->refreshHz)};
    // Without an EDID (virtual outputs) the first listed mode is the preferred one.
    const auto modes = root.text(base + "/modes").value_or("");
    const auto line = modes.substr(0, modes.find('\n'));
    const auto x = line.find('x');
    if (x == std::string::npos) return std::nullopt;
    auto w = parseInteger(line.substr(0, x));
    auto h = parseInteger(line.substr(x + 1, line.find_first_not_of("0123456789", x + 1) - x - 1));
    if (!w || !h || *w <= 0 || *h <= 0) return std::nullopt;
    return MainDisplay{resolutionText(static_cast<int>(*w), static_cast<int>(*h)), 0};
}

} // namespace

std::optional<MainDisplay> MainDisplay::read(const ProbeRoot& root) {
    std::vector<std::string> connected;
    for (const auto& name : root.entries("/sys/class/drm"))
        if (name.rfind("card", 0) == 0 && name.find('-') != std::string::npos
            && root.text("/sys/class/drm/" + name + "/status") == "connected")
            connected.push_back(name);
    std::stable_partition(connected.begin(), connected.end(), isBuiltIn);
    for (const auto& connector : connected)
        if (auto display = describe(root, connector)) return display;
    return std::nullopt;
}

} // namespace zantiva
