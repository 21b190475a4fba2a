#pragma once

// The environment variables, besides the folder variables (HOME, the XDG folders, the temporary
// folder), that name a place where the program or a library it loads makes, changes or takes
// over a file or folder. One of them naming a place of another user's is taken out of the
// environment as the program starts (keepFolderVariablesOwn), so that the library goes where
// it goes without it: into this user's own folders.

#include <span>

namespace zantiva {

struct PlaceVariable {
    const char* name;
    const char* spared; // what the user is spared, said when the variable is taken out
};

std::span<const PlaceVariable> placeVariables();

} // namespace zantiva
