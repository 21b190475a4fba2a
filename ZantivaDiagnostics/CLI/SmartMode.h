#pragma once

#include <optional>
#include <ostream>

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"
#include "Model/DriveHealthReport.h"
#include "Probes/DriveHealthReader.h"

namespace zantiva {

// A drive-health report as lines (docs/cli.md): the report's own lines, then each drive's
// fields led by its name ("nvme0n1.status: good"), statuses as words, and a note, in loc's
// words, for a drive whose sources were refused, saying why it stayed unread. A report whose
// list of drives couldn't be read prints that error and a note in place of the drive count.
void printDriveHealthLines(std::ostream& out, const DriveHealthReport& report, const Loc& loc);

// Reads with `options` off the main thread while the main thread watches for a quit signal
// (Ctrl+C, a session ending): one withdraws a question for rights still open, and the
// reading ends without a report. The question may wait minutes for an answer, and pkexec
// runs in a process group of its own, where the terminal's Ctrl+C doesn't reach it.
std::optional<DriveHealthReport> readDriveHealthUnlessQuit(const DriveHealthOptions& options);

// "--smart": reads every internal drive's health once and prints the report; status 0
// whatever it found, since the reader never fails, and 1 when a quit signal stopped it. A
// drive this user may not read is read with administrator rights, asked for through polkit
// once; root asks nobody.
int runSmartMode(const CommandLine& commandLine, CliContext& context);

} // namespace zantiva
