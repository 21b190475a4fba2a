#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zantiva {

// A four-character key of Apple's System Management Controller, first character in the
// most significant byte. On Linux the applesmc driver names its temperature inputs by
// these keys ("TC0P"), so they still decide what a sensor measures.
struct SMCKey {
    std::uint32_t code = 0;

    // Exactly four UTF-8 bytes; anything else is no key.
    static std::optional<SMCKey> fromText(std::string_view text);
    // The four bytes as ASCII, most significant first; "????" when they are not ASCII.
    std::string description() const;

    bool operator==(const SMCKey&) const = default;
};

// What a temperature sensor measures.
enum class ThermalSensorKind { cpu, gpu };

// The controller's naming rule for temperature keys, on a key's description: "Tp…",
// "Te…" and a few "TC…" keys are CPU, "Tg…" and two "TG…" keys GPU, "Tf0/4…" CPU and
// "Tf1/2…" GPU; everything else measures something else.
std::optional<ThermalSensorKind> classifySMCKey(std::string_view description);

} // namespace zantiva
