// What the drive health program printed, as the program reads it back.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "DriveHealth/DriveHealthProtocol.h"
#include "FuzzCheck.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto reading = DriveHealthProtocol::decodeReading(text);
    if (!reading) return 0;
    // An answer is read exactly as it was written: nothing dropped, nothing added.
    FUZZ_CHECK(DriveHealthProtocol::encodeReading(*reading) == text);
    FUZZ_CHECK(!reading->nvmeLog || reading->nvmeLog->size() == 512);
    return 0;
}
