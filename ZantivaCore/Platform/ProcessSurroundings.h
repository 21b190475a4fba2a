#pragma once

namespace zantiva {

// What the program makes of the process it was started in; call it first in main, once the
// standard streams are held (holdClosedStandardStreams), as it says on standard error what it
// changed.
// - A write to a pipe whose reader went away (a log service that ended, `… 2>&1 | true`)
//   fails with EPIPE, which every writer reports in its own way, instead of SIGPIPE ending the
//   program. The signal is caught by a handler that does nothing rather than ignored, so that
//   the programs this one starts get its default back at their exec.
// - A soft limit on open descriptors below the usual 1024 is raised toward the hard limit, at
//   most to 1024: more would reach programs this one starts that still keep descriptors in
//   select()'s fixed sets.
// - The folder variables, and every other variable, are made to name no place of another
//   user's, save what is only read or connected to (keepFolderVariablesOwn).
void settleIntoSurroundings();

} // namespace zantiva
