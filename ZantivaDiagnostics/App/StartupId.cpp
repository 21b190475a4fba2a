#include "App/StartupId.h"

#include <QtGlobal>
#include <algorithm>
#include <charconv>

namespace zantiva::StartupId {

bool isValid(const QByteArray& id) {
    return !id.isEmpty() && id.size() <= maxBytes && std::ranges::all_of(id, [](char c) {
        return c > ' ' && c < 0x7f && c != '"' && c != '\\';
    });
}

QByteArray ofThisLaunch() {
    for (const char* name : {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"}) {
        const QByteArray id = qgetenv(name);
        if (isValid(id)) return id;
    }
    return {};
}

std::optional<std::uint32_t> userTime(const QByteArray& id) {
    const qsizetype at = id.lastIndexOf("_TIME");
    if (at < 0) return std::nullopt;
    const char* first = id.constData() + at + 5;
    const char* last = id.constData() + id.size();
    std::uint32_t time = 0;
    const auto [end, error] = std::from_chars(first, last, time);
    // A time of 0 stands for none; digits only, to the end.
    if (error != std::errc() || end != last || first == last || time == 0) return std::nullopt;
    return time;
}

} // namespace zantiva::StartupId
