#pragma once

#include <memory>
#include <ostream>

#include "Localization/Loc.h"
#include "Platform/ProcessActivity.h"

namespace zantiva {

// Where a command-line mode writes: result lines and "failed: …" to out, progress to
// err (only when err is a terminal, cut to its width). Messages are rendered with loc.
// The engines the modes run keep the machine awake through activity.
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal;
    const Loc& loc;
    int errColumns = 0; // the terminal's width; 0 when unknown
    std::shared_ptr<ProcessActivity> activity = noProcessActivity();
};

} // namespace zantiva
