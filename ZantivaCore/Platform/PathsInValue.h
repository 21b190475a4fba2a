#pragma once

// The places an environment variable's value names, whatever the variable: the value itself
// when it is an absolute path; the absolute paths in a list ("/a:/b", as PATH and the search
// paths are written) or in an address ("unix:path=/run/user/1000/bus,guid=…" for the session
// bus, "unix:/run/user/1000/pulse/native" for the sound server, "file:///home/ana/fonts.conf").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zantiva {

// Every absolute path the value names: the whole value, when it is one, and each part of it
// between the separators of lists and addresses (':', ';', ',', '=', white space, quotes) that
// starts with '/', also with its %XX escapes decoded, as URLs and bus addresses write them.
std::vector<std::string> absolutePathsIn(std::string_view value);

// The parts of a list of paths that starts with an absolute one ("/a:/b", "/a::b", each part as
// written); none for a value that is one path or anything else ("unix:/a", "file:///a", ":0").
std::optional<std::vector<std::string>> pathListParts(std::string_view value);

} // namespace zantiva
