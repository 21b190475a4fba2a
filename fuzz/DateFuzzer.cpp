// ISO 8601 dates as stored records and the update site's answers carry them: a text that
// parses names a date that prints and parses back to itself, and a text already in the
// printed form ("YYYY-MM-DDTHH:MM:SSZ") prints back unchanged, so no date wraps around.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "Model/Date.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto date = parseIso8601(text);
    if (!date) return 0;
    const std::string printed = iso8601(*date);
    FUZZ_CHECK(parseIso8601(printed) == date);
    // A leap second ("…:60Z") is read as the next minute's first second.
    if (text.size() == 20 && text.back() == 'Z' && text.substr(17, 2) != "60") FUZZ_CHECK(printed == text);
    return 0;
}
