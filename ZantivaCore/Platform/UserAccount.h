#pragma once

// What the system says of users and their folders, for the checks that keep the program out of
// another user's home and temporary folder.

#include <optional>
#include <string>
#include <sys/types.h>

namespace zantiva {

// The home folder that the password database gives the user `uid`, as written there (it may be
// relative); none when the user has no entry or the entry no home.
std::optional<std::string> passwordDatabaseHome(uid_t uid);

// A place of another user's that a path leads to: the owner, and whether the path itself is
// there (else the owner is that of the nearest folder above it that is).
struct OthersPlace {
    uid_t owner;
    bool there;
};

// The owner of what `path` names, or, where nothing is there yet, of the nearest folder above it
// that is: what a library making the path would make its folders in. The path is followed as
// the kernel follows it, link by link from the left, so that a ".." after a link leads out of
// the folder the link points to, not out of the link's own; a relative path starts at the
// working folder. Given only when that is another user, neither the one running nor root,
// whose folders are the system's. None when nothing on the way can be looked at.
std::optional<OthersPlace> othersPlaceOf(const std::string& path);
std::optional<uid_t> othersOwnerOf(const std::string& path);

// How a log line says whose the place is: "belongs to user 1000", or, for a path not there
// yet, "is in a folder of user 1000".
std::string whoseWords(const OthersPlace& place);

} // namespace zantiva
