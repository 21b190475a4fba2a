#pragma once

#include <ostream>

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"
#include "Model/DriveHealthReport.h"

namespace zantiva {

// A drive-health report as lines (docs/cli.md): the report's own lines, then each drive's
// fields led by its name ("nvme0n1.status: good"), statuses as words, and a note, in loc's
// words, for a drive that needs administrator rights to be read.
void printDriveHealthLines(std::ostream& out, const DriveHealthReport& report, const Loc& loc);

// "--smart": reads every internal drive's health once and prints the report; status 0
// whatever it found, since the reader never fails. A drive this user may not read is read
// with administrator rights, asked for through polkit once.
int runSmartMode(const CommandLine& commandLine, CliContext& context);

} // namespace zantiva
