#include <gtest/gtest.h>

#include <cerrno>

#include "Engines/StorageBenchmarkFailure.h"
#include "Localization/MessageTables.h"

namespace zantiva {
namespace {

using Kind = StorageBenchmarkFailure::Kind;

// The table itself is the code's; what matters is that it goes by name, so the numbers
// another system gives those names mean nothing special here, and the unknown fall back.
TEST(StorageBenchmarkFailure, MapsErrorNumbersByNameAndTheRestToUnavailable) {
    const std::pair<int, Kind> cases[] = {{ENOTSUP, Kind::directIOUnsupported}, {EOPNOTSUPP, Kind::directIOUnsupported},
                                          {EDQUOT, Kind::notEnoughSpace},       {0, Kind::targetUnavailable},
                                          {EIO, Kind::targetUnavailable},       {45, Kind::targetUnavailable},
                                          {69, Kind::targetUnavailable}};
    for (const auto& [error, kind] : cases) EXPECT_EQ(StorageBenchmarkFailure::fromErrno(error).kind(), kind) << error;
}

// Each kind shows a message of its own, and reads back from what a stored record keeps.
TEST(StorageBenchmarkFailure, EveryKindNamesAMessageAndReadsBack) {
    for (const Kind kind : allCases<Kind>()) {
        const StorageBenchmarkFailure failure(kind);
        EXPECT_TRUE(StringsEn::table().contains(failure.userMessage().key())) << failure.rawValue();
        EXPECT_EQ(StorageBenchmarkFailure::fromRawValue(failure.rawValue()), failure);
    }
    EXPECT_EQ(StorageBenchmarkFailure::fromRawValue("ssd.error.notenoughspace"), std::nullopt);
}

} // namespace
} // namespace zantiva
