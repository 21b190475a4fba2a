#pragma once

#include <ostream>

#include "Localization/Loc.h"

namespace zantiva {

// Where a command-line mode writes: result lines and "failed: …" to out, progress to
// err (only when err is a terminal, cut to its width). Messages are rendered with loc.
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal;
    const Loc& loc;
    int errColumns = 0; // the terminal's width; 0 when unknown
};

} // namespace zantiva
