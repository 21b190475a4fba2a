#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace zantiva {

// The desktop's startup id of a launch (DESKTOP_STARTUP_ID, or the activation token,
// XDG_ACTIVATION_TOKEN, that launchers set beside it): what a window brought to the front for
// that launch activates with, since window managers decline an activation without the time of the
// user's act that began it.
namespace StartupId {

// Longer than any launcher makes one.
inline constexpr qsizetype maxBytes = 512;

// Whether `id` may be passed on and used as one: printable ASCII without spaces, quotes or
// backslashes (so it stands unquoted in a startup message and a line), at most maxBytes.
bool isValid(const QByteArray& id);

// This launch's id, as the launcher set it in the environment; empty when it set none, or none valid.
QByteArray ofThisLaunch();

// The X server time of the user's act, which launchers end the id with ("…_TIME<time>").
std::optional<std::uint32_t> userTime(const QByteArray& id);

} // namespace StartupId

} // namespace zantiva
