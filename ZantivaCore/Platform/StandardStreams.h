#pragma once

namespace zantiva {

// Gives each closed standard stream (0, 1, 2) a descriptor of its own: /dev/null, opened the
// other way round so that every use still fails as on a closed one. Left closed, its number
// goes to the next file the program opens (the event loop's descriptor, the log's socket, a
// store's file), which would then take what is printed. Call it first in main.
void holdClosedStandardStreams();

} // namespace zantiva
