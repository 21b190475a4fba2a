#pragma once

#include <ostream>

#include "Localization/Loc.h"

namespace zantiva {

// The exit status of a windowless run once its standard output is flushed: `status` when out
// took every byte, else 1 after saying so on err ("failed: …"). A run redirected to a file on
// a full disk leaves a cut file, which must not pass for a whole one.
int statusOnceWritten(std::ostream& out, std::ostream& err, const Loc& loc, int status);

} // namespace zantiva
