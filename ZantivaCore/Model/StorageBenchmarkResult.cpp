#include "Model/StorageBenchmarkResult.h"

#include "Model/RecordFields.h"

namespace zantiva {
namespace {

using R = StorageBenchmarkResult;

constexpr auto fields = std::tuple{
    json::field("targetFolder", &R::targetFolder),
    json::field("fileSizeBytes", &R::fileSizeBytes),
    json::field("seqRead", &R::seqRead),
    json::field("seqWrite", &R::seqWrite),
    json::field("randomQ32Read", &R::randomQ32Read),
    json::field("randomQ32Write", &R::randomQ32Write),
    json::field("randomQ1Read", &R::randomQ1Read),
    json::field("randomQ1Write", &R::randomQ1Write),
    json::field("driveHealth", &R::driveHealth),
    json::field("durationSeconds", &R::durationSeconds),
    json::field("completedAt", &R::completedAt),
};

} // namespace

std::optional<StorageTestMeasurement>& StorageBenchmarkResult::measurement(StorageTestProfile profile,
                                                                           bool isWrite) {
    switch (profile) {
    case StorageTestProfile::seq1MQ8T1: return isWrite ? seqWrite : seqRead;
    case StorageTestProfile::rnd4KQ32T1: return isWrite ? randomQ32Write : randomQ32Read;
    case StorageTestProfile::rnd4KQ1T1: break;
    }
    return isWrite ? randomQ1Write : randomQ1Read;
}

const std::optional<StorageTestMeasurement>& StorageBenchmarkResult::measurement(StorageTestProfile profile,
                                                                                 bool isWrite) const {
    return const_cast<StorageBenchmarkResult&>(*this).measurement(profile, isWrite);
}

json::Json StorageBenchmarkResult::toJson() const { return json::encodeFields(*this, fields); }

StorageBenchmarkResult StorageBenchmarkResult::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
