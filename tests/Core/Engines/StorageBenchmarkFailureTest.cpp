#include <gtest/gtest.h>

#include <cerrno>

#include "Engines/StorageBenchmarkFailure.h"
#include "Localization/MessageTables.h"

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

// What the user is told is the message its raw value names, and the raw value reads back.
TEST(StorageBenchmarkFailure, RawValuesAreTheMessageKeysOfItsUserMessage) {
    for (const Kind kind : allCases<Kind>()) {
        const StorageBenchmarkFailure failure(kind);
        EXPECT_EQ(failure.userMessage(), LocalizedMessage(std::string(failure.rawValue())));
        EXPECT_STREQ(failure.what(), std::string(failure.rawValue()).c_str());
        EXPECT_TRUE(StringsEn::table().contains(failure.rawValue())) << failure.rawValue();
        EXPECT_EQ(StorageBenchmarkFailure::fromRawValue(failure.rawValue()), failure);
    }
    EXPECT_EQ(StorageBenchmarkFailure::fromRawValue("ssd.error.notenoughspace"), std::nullopt);
}

} // namespace
} // namespace zantiva
