// The records the app keeps in its folder, decoded strictly from whatever the file holds:
// a record that decodes must write itself back in a form that decodes to the same record,
// and nothing but DecodeError may escape the decoder (the stores catch only that).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "External/ExternalBenchmarkAppSettings.h"
#include "FuzzCheck.h"
#include "Model/AppSettings.h"
#include "Model/BenchmarkSession.h"
#include "Model/ExternalBenchmarkApp.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/StorageBenchmarkResult.h"

using namespace zantiva;

namespace {

template <typename R> void roundTrip(const json::Json& stored) {
    std::optional<R> first;
    try {
        first = R::fromJson(stored);
    } catch (const json::DecodeError&) {
        return;
    }
    const json::Json written = first->toJson();
    FUZZ_CHECK(R::fromJson(written).toJson() == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const json::Json stored = json::Json::parse(std::string_view(reinterpret_cast<const char*>(data), size), nullptr, false);
    if (stored.is_discarded()) return 0;
    roundTrip<FinalBenchmarkReport>(stored);
    roundTrip<BenchmarkSession>(stored);
    roundTrip<AppSettings>(stored);
    roundTrip<StorageBenchmarkResult>(stored);
    roundTrip<ExternalBenchmarkAppSettings>(stored);
    // external-benchmarks.json holds one such record per application.
    if (stored.is_object())
        for (ExternalBenchmarkApp app : allCases<ExternalBenchmarkApp>())
            if (auto it = stored.find(std::string(rawValue(app))); it != stored.end())
                roundTrip<ExternalBenchmarkAppSettings>(*it);
    return 0;
}
