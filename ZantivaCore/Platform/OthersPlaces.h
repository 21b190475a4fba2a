#pragma once

// Every environment variable but the folder variables, judged by the places its value names
// (absolutePathsIn), each followed as the kernel follows it, links and ".." included, to what
// is there or the nearest folder above it that is:
// - a variable the program only reads or connects through (reachVariables) stays while each
//   place of another user's it names is there and open to the running user: the file readable
//   (and, for PulseAudio's cookie, whole, as its library writes over a shorter one), the socket
//   reachable; else it is taken out, and the library looks for this user's own;
// - in a list of absolute paths (PATH, the search paths) the parts of another user's are taken
//   out, the rest stays;
// - any other variable naming a place of another user's is taken out, whatever library reads
//   it: the place may be a folder a library writes to, or a configuration file that names one.
// A relative value of a variable known to name where a library writes (placeVariables) is
// judged from the working folder. Each change is logged and said on standard error.

#include <span>
#include <string_view>

namespace zantiva {

// `settled` names the variables judged already, which are left as they are.
void leaveOutOthersPlaces(std::span<const std::string_view> settled);

} // namespace zantiva
