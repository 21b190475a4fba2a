// A display's EDID blob as the kernel hands it over: any bytes, any length.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "Probes/Edid.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto timing = EdidTiming::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!timing) return 0;
    // Twelve bits of active pixels or lines, doubled for an interlaced frame.
    FUZZ_CHECK(timing->width > 0 && timing->width < 4096);
    FUZZ_CHECK(timing->height > 0 && timing->height < 8192);
    FUZZ_CHECK(std::isfinite(timing->refreshHz) && timing->refreshHz > 0);
    return 0;
}
