// An NVMe drive's SMART / health log page as the drive returns it.

#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "Probes/NvmeHealthLog.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DriveHealthInfo drive;
    const bool read = DriveHealthReader::parseNVMeHealthLog(std::span(data, size), drive);
    FUZZ_CHECK(read == (size >= DriveHealthReader::nvmeHealthLogMinimumBytes));
    if (read) drive.toJson(); // what was read must have a stored form
    return 0;
}
