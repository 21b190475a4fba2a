#pragma once

#include <chrono>

#include "ExternalRun/UrlOpener.h"

namespace zantiva {

// Opens addresses with the desktop's opener, xdg-open from PATH, and answers by its exit
// status: a desktop without a browser or an application for the file says so at once. An
// opener still running after `patience` is running the application itself (xdg-open's own
// fallback waits for what it starts), so it counts as opened and is left to finish.
UrlOpener desktopOpener(std::chrono::milliseconds patience = std::chrono::seconds(5));

} // namespace zantiva
