#pragma once

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"

namespace zantiva {

// "--check-resources": whether the files the program needs beside it are there, the six
// interface fonts, the logo and the speaker-test track, as the window finds them.
int runCheckResourcesMode(const CommandLine& commandLine, CliContext& context);

} // namespace zantiva
