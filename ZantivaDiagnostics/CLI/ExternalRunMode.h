#pragma once

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"

namespace zantiva {

// "--external-run [app] [--short] [--verbose]": runs the ready outside tools' plan, or the
// named application's steps, as the window does, stores the scores and pending uploads,
// writes the CSV file and prints a line per step and per score. --short rests no time
// between the Cinebench versions; --verbose passes the tools' output to standard error.
// SIGINT and SIGTERM stop the tool's process group first, then the images are detached.
int runExternalRunMode(const CommandLine& commandLine, CliContext& context);

} // namespace zantiva
