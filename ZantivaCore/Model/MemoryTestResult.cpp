#include "Model/MemoryTestResult.h"

#include "Model/RecordFields.h"

namespace zantiva {

namespace {
constexpr auto fields = std::tuple{
    json::field("testedBytes", &MemoryTestResult::testedBytes),
    json::field("averageWriteThroughputMBps", &MemoryTestResult::averageWriteThroughputMBps),
    json::field("averageReadThroughputMBps", &MemoryTestResult::averageReadThroughputMBps),
    json::field("errorsDetected", &MemoryTestResult::errorsDetected),
    json::field("durationSeconds", &MemoryTestResult::durationSeconds),
};
} // namespace

json::Json MemoryTestResult::toJson() const { return json::encodeFields(*this, fields); }
MemoryTestResult MemoryTestResult::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
