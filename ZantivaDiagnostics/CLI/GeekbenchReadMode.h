#pragma once

#include <string>

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"
#include "PageReader/GeekbenchScoreReading.h"

namespace zantiva {

// "--geekbench-read URL [--window] [--verbose]": reads the scores off one uploaded result page
// and prints them. Without a display, and without --window, it reads off screen; with
// --verbose the web engine's own diagnostics go to standard error.
int runGeekbenchReadMode(const CommandLine& commandLine, CliContext& context);

// The mode's work with a given reader; 1 after "failed: …". A GPU page is one whose address
// holds "/gpu/" or "/compute/". With `window` the reader may ask a person to pass the site's
// check.
int runGeekbenchRead(CliContext& context, GeekbenchScoreReading& reader, const std::string& address, bool window);

} // namespace zantiva
