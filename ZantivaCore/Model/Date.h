#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace zantiva {

// A point in time as records hold it. Stored files carry it as ISO 8601 internet
// date-time in UTC with whole seconds ("2026-12-06T20:41:07Z").
using Date = std::chrono::system_clock::time_point;

std::string iso8601(Date date);
// Accepts "YYYY-MM-DDTHH:MM:SSZ", or a numeric offset ("+03:30") in place of "Z".
std::optional<Date> parseIso8601(std::string_view text);

} // namespace zantiva
