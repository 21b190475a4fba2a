#include "CLI/WrittenOutput.h"

#include "CLI/ResultLines.h"

namespace zantiva {

int statusOnceWritten(std::ostream& out, std::ostream& err, const Loc& loc, int status) {
    if (out.flush()) return status;
    return printFailure(err, loc.t("Main.OutputWriteFailed"));
}

} // namespace zantiva
