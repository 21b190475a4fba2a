#include <gtest/gtest.h>

#include <cerrno>

#include "Engines/StorageBenchmarkFailure.h"
#include "Localization/MessageTables.h"

namespace zantiva {
namespace {

using Kind = StorageBenchmarkFailure::Kind;

// The table itself is the code's; what matters is that it goes by name, so the numbers
// another system gives those names mean nothing special here, and the unknown fall back.
// A file-size limit, a quota and a process out of descriptors each name their own cause: none
// is a full drive, and none is a folder that isn't there.
TEST(StorageBenchmarkFailure, MapsErrorNumbersByNameAndTheRestToUnavailable) {
    const std::pair<int, Kind> cases[] = {{ENOTSUP, Kind::directIOUnsupported}, {EOPNOTSUPP, Kind::directIOUnsupported},
                                          {ENOSPC, Kind::notEnoughSpace},       {EFBIG, Kind::fileTooLarge},
                                          {EDQUOT, Kind::quotaExceeded},        {EMFILE, Kind::outOfDescriptors},
                                          {ENFILE, Kind::outOfDescriptors},     {0, Kind::targetUnavailable},
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
