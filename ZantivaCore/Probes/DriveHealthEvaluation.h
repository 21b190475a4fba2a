#pragma once

#include "Model/DriveHealthInfo.h"

namespace zantiva::DriveHealthReader {

// Judges a drive's readings: its findings (no duplicates, ascending by name) and its
// verdict. Without any data the drive is unknown, whatever it carries. Temperature,
// hours, shutdowns and data written are reported only, never judged.
void evaluate(DriveHealthInfo& drive, bool systemReportsFailing, bool hasData);

} // namespace zantiva::DriveHealthReader
