#pragma once

// What the program knows of the environment variables that name places, besides the folder
// variables (HOME, the XDG folders, the temporary folder). Every variable naming a place of
// another user's is taken out of the environment as the program starts (leaveOutOthersPlaces),
// whichever it is; these tables give the words said for the ones known, and set apart the few
// through which the program only reads or connects to what is there.

#include <span>

namespace zantiva {

// A variable naming where a library makes, writes or takes over a file or folder, or a
// configuration file that can name such a place. A relative value of one of these is judged
// from the working folder, where the library takes it.
struct PlaceVariable {
    const char* name;
    const char* spared; // what the user is spared, said when the variable is taken out
};

std::span<const PlaceVariable> placeVariables();

// A variable through which the program only reads a file or connects to a socket. It stays
// while what it names is there and open to the running user, whoever owns it.
struct ReachVariable {
    enum class Kind { readableFile, socket };
    const char* name;
    Kind kind;
    long long leastSize;  // a shorter file is written over by `maker`
    const char* what;     // "cookie": "this user's own cookie serves instead"
    const char* maker;    // the library that makes it where it is missing or short; null for none
};

std::span<const ReachVariable> reachVariables();

} // namespace zantiva
