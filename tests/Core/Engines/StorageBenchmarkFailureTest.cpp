#include <gtest/gtest.h>

#include <cerrno>
#include <unordered_set>

#include "Engines/StorageBenchmarkFailure.h"

namespace zantiva {
namespace {

using Kind = StorageBenchmarkFailure::Kind;

TEST(StorageBenchmarkFailure, MapsErrorNumbersByName) {
    const std::pair<int, Kind> cases[] = {
        {EPERM, Kind::accessDenied},          {EACCES, Kind::accessDenied},
        {EINVAL, Kind::directIOUnsupported},  {ENOTTY, Kind::directIOUnsupported},
        {ENOTSUP, Kind::directIOUnsupported}, {EOPNOTSUPP, Kind::directIOUnsupported},
        {EFBIG, Kind::notEnoughSpace},        {ENOSPC, Kind::notEnoughSpace},
        {EDQUOT, Kind::notEnoughSpace},       {EROFS, Kind::writeProtected},
        {ENOENT, Kind::targetUnavailable},    {EIO, Kind::targetUnavailable},
        {0, Kind::targetUnavailable},         {EEXIST, Kind::targetUnavailable},
        // The numbers another system gives these names mean something else here.
        {45, Kind::targetUnavailable},        {69, Kind::targetUnavailable},
    };
    for (const auto& [error, kind] : cases) EXPECT_EQ(StorageBenchmarkFailure::fromErrno(error).kind(), kind) << error;
}

TEST(StorageBenchmarkFailure, RawValuesAreTheMessageKeysOfItsUserMessage) {
    const std::pair<Kind, const char*> cases[] = {
        {Kind::notEnoughSpace, "Ssd.Error.NotEnoughSpace"},
        {Kind::accessDenied, "Ssd.Error.AccessDenied"},
        {Kind::writeProtected, "Ssd.Error.WriteProtected"},
        {Kind::directIOUnsupported, "Ssd.Error.DirectIoUnsupported"},
        {Kind::targetUnavailable, "Ssd.Error.TargetUnavailable"},
    };
    std::unordered_set<StorageBenchmarkFailure> distinct;
    for (const auto& [kind, key] : cases) {
        const StorageBenchmarkFailure failure(kind);
        EXPECT_EQ(failure.rawValue(), key);
        EXPECT_STREQ(failure.what(), key);
        EXPECT_EQ(failure.userMessage(), LocalizedMessage(key));
        EXPECT_EQ(StorageBenchmarkFailure::fromRawValue(key), failure);
        distinct.insert(failure);
    }
    EXPECT_EQ(distinct.size(), 5u);
    EXPECT_EQ(StorageBenchmarkFailure::fromRawValue("ssd.error.notenoughspace"), std::nullopt);
    EXPECT_EQ(StorageBenchmarkFailure::fromRawValue(""), std::nullopt);
}

} // namespace
} // namespace zantiva
