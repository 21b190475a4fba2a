#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace zantiva {

// A record printed as "name: value" lines, one per field, named by the record's JSON
// keys (in the JSON's key order); nested objects join their names with dots and list
// items take their index ("fanRPM.0"). Absent fields print nothing.
void printResultLines(std::ostream& out, const nlohmann::json& record, std::string_view prefix = {});

// The text as part of one output line, so that nothing a value holds (a stored path, a
// site's answer) can start a line of its own or drive the terminal, and it reads back
// exactly: a backslash is doubled; tab, line feed and carriage return become \t, \n and
// \r; any other control character (U+0000-U+001F, U+007F-U+009F) and every byte that
// isn't valid UTF-8 becomes \xHH, byte by byte.
std::string lineText(std::string_view text);

// Prints "name: value", both as lineText. Every line of a mode's results goes through here.
void printLine(std::ostream& out, std::string_view name, std::string_view value);

// Numbers in POSIX form, whatever the process locale: the shortest text that reads back
// as the same double ("2345.6", "1000", "0.001").
std::string posixNumber(double value);
// With exactly `decimals` digits after the point ("3.571").
std::string posixNumber(double value, int decimals);

// Prints "failed: " and the error (as lineText) on out; returns the exit status of a failed mode (1).
int printFailure(std::ostream& out, std::string_view error);

} // namespace zantiva
