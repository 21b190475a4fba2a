#include "Presenters/RamStationPresenter.h"

#include "Localization/Loc.h"
#include "Presenters/StationNumbers.h"

namespace zantiva::RamStationPresenter {
namespace {

// Two upper-case hexadecimal digits: 0x0A gives "0A".
std::string hexByte(std::uint8_t byte) {
    constexpr char digits[] = "0123456789ABCDEF";
    return {digits[byte >> 4], digits[byte & 0x0F]};
}

} // namespace

RamStationView present(const RamStationState& state, const Loc& loc) {
    if (!state.progress) return {};
    const MemoryPassProgress& p = *state.progress;
    return {
        .pass = loc.f(p.verifying ? "Ram.PhaseVerify" : "Ram.PhaseWrite", p.pass, memoryTestPatterns.size(),
                      hexByte(p.pattern)),
        .fraction = StationNumbers::barFraction(p.fraction),
    };
}

} // namespace zantiva::RamStationPresenter
