// The value files the hardware readers take from /sys and /proc, read through ProbeRoot as
// the readers do, and the small texts they parse: numbers, numbered names, the memory
// pressure and the firmware's memory module table.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "FuzzTree.h"
#include "Platform/WholeNumber.h"
#include "Probes/MemoryModules.h"
#include "Probes/MemoryUsage.h"
#include "Probes/ProbeRoot.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const FuzzTree tree;
    tree.put("/sys/class/value", input);
    const ProbeRoot root(tree.root());

    const auto bytes = root.bytes("/sys/class/value");
    FUZZ_CHECK(bytes == input);
    const auto text = root.text("/sys/class/value");
    FUZZ_CHECK(!text || (!text->empty() && input.find(*text) != std::string_view::npos));
    const auto integer = root.integer("/sys/class/value");
    FUZZ_CHECK(integer == (text ? parseInteger(*text) : std::nullopt));
    if (integer) FUZZ_CHECK(parseInteger(std::to_string(*integer)) == integer);

    // A name split in two at its middle: natural order is a strict order.
    const std::string a(input.substr(0, size / 2)), b(input.substr(size / 2));
    FUZZ_CHECK(!naturalLess(a, a));
    FUZZ_CHECK(!(naturalLess(a, b) && naturalLess(b, a)));
    if (auto n = numberAfter(a, "cpu")) FUZZ_CHECK(*n >= 0);

    pressureFromPsi(input);
    const auto modules = MemoryModules::parse(input);
    FUZZ_CHECK(modules.count >= 0 && modules.speedMTs >= 0);
    return 0;
}
