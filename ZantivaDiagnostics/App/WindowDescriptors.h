#pragma once

#include <optional>
#include <string>

namespace zantiva {

// The fewest open descriptors the window is started with. Under fewer its libraries fail
// deep inside (GLib aborts, or a window stays black and deaf to signals). The window holds
// about 27 once shown with a session bus, keyring and sound server, and loses its keyring
// under 28; the rest is room for the files, sockets and pipes a run and its outside tools take.
inline constexpr int windowDescriptorsNeeded = 128;

// Why the window can't be started under `limit` descriptors, in words that name `ulimit -n`;
// none when it can.
std::optional<std::string> windowDescriptorShortage(int limit);

} // namespace zantiva
