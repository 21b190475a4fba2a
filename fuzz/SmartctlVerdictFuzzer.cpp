// What `smartctl --json -H` printed, whatever version, device or error.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Probes/SmartctlVerdict.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DriveHealthReader::parseSystemVerdict(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
