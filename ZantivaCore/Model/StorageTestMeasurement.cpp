#include "Model/StorageTestMeasurement.h"

#include "Model/RecordFields.h"

namespace zantiva {
namespace {

constexpr auto fields = std::tuple{
    json::field("mbps", &StorageTestMeasurement::mbps),
    json::field("iops", &StorageTestMeasurement::iops),
    json::field("averageLatencyMs", &StorageTestMeasurement::averageLatencyMs),
};

} // namespace

StorageTestMeasurement StorageTestMeasurement::fromTotals(std::int64_t bytes, std::int64_t operations,
                                                          double seconds, double totalLatencySeconds) {
    StorageTestMeasurement m;
    if (seconds > 0) {
        m.mbps = static_cast<double>(bytes) / 1'000'000.0 / seconds;
        m.iops = static_cast<double>(operations) / seconds;
    }
    if (operations >= 1) m.averageLatencyMs = totalLatencySeconds / static_cast<double>(operations) * 1000.0;
    return m;
}

double StorageTestMeasurement::mibps() const { return mbps * 1'000'000.0 / 1'048'576.0; }

json::Json StorageTestMeasurement::toJson() const { return json::encodeFields(*this, fields); }

StorageTestMeasurement StorageTestMeasurement::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
