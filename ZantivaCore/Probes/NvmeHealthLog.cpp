#include "Probes/NvmeHealthLog.h"

#include <cmath>
#include <limits>
#include <optional>

namespace zantiva::DriveHealthReader {

namespace {

using Reading = std::optional<std::int64_t>;

Reading byteAt(std::span<const std::uint8_t> log, std::size_t offset) { return log[offset]; }

// Composite temperature in kelvin; 200 K or less is no reading.
Reading celsiusAt(std::span<const std::uint8_t> log, std::size_t offset) {
    const int kelvin = log[offset] | (log[offset + 1] << 8);
    if (kelvin < 201) return std::nullopt;
    return kelvin - 273;
}

// The low 8 bytes of a 16-byte counter; values past the signed range give its largest value.
std::int64_t counterValue(std::span<const std::uint8_t> log, std::size_t offset) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = (value << 8) | log[offset + static_cast<std::size_t>(i)];
    constexpr auto largest = std::numeric_limits<std::int64_t>::max();
    return value >= static_cast<std::uint64_t>(largest) ? largest : static_cast<std::int64_t>(value);
}

Reading counterAt(std::span<const std::uint8_t> log, std::size_t offset) { return counterValue(log, offset); }

struct LogField {
    std::size_t offset;
    std::optional<std::int64_t> DriveHealthInfo::*field;
    Reading (*read)(std::span<const std::uint8_t>, std::size_t);
};

constexpr LogField fields[] = {
    {0, &DriveHealthInfo::criticalWarning, byteAt},
    {1, &DriveHealthInfo::temperatureCelsius, celsiusAt},
    {3, &DriveHealthInfo::availableSparePercent, byteAt},
    {4, &DriveHealthInfo::availableSpareThresholdPercent, byteAt},
    {5, &DriveHealthInfo::percentageUsed, byteAt},
    {128, &DriveHealthInfo::powerOnHours, counterAt},
    {144, &DriveHealthInfo::unsafeShutdowns, counterAt},
    {160, &DriveHealthInfo::mediaErrors, counterAt},
};

constexpr std::size_t dataUnitsWrittenOffset = 48;
constexpr double bytesPerDataUnit = 512'000;

} // namespace

bool parseNVMeHealthLog(std::span<const std::uint8_t> log, DriveHealthInfo& drive) {
    if (log.size() < nvmeHealthLogMinimumBytes) return false;
    for (const LogField& f : fields) drive.*f.field = f.read(log, f.offset);
    const double terabytes = static_cast<double>(counterValue(log, dataUnitsWrittenOffset)) * bytesPerDataUnit / 1e12;
    drive.dataWrittenTB = std::round(terabytes * 10) / 10;
    return true;
}

} // namespace zantiva::DriveHealthReader
