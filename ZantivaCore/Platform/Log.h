#pragma once

#include <string_view>

namespace zantiva::log {

// Messages go to syslog under the ident "zantiva-diagnostics", prefixed by their
// category ("store", "settings", "api", …) so one subsystem's lines can be filtered.
// Errors, and notices of what the program changed of its own accord, are also written to
// standard error.
void info(std::string_view category, std::string_view message);
void notice(std::string_view category, std::string_view message);
void error(std::string_view category, std::string_view message);

} // namespace zantiva::log
