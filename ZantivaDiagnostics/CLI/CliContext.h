#pragma once

#include <ostream>

#include "Localization/Loc.h"

namespace zantiva {

// Where a command-line mode writes: result lines and "failed: …" to out, progress to
// err (only when err is a terminal). Messages are rendered with loc.
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal;
    const Loc& loc;
};

} // namespace zantiva
