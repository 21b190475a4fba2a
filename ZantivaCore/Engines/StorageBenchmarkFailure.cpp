#include "Engines/StorageBenchmarkFailure.h"

#include <array>
#include <cerrno>
#include <utility>

namespace zantiva {
namespace {

using Kind = StorageBenchmarkFailure::Kind;

// By name, never by number: the numbers differ between systems (ENOTSUP is 45 on one, 95 here).
constexpr std::array<std::pair<int, Kind>, 11> errnoKinds{{
    {EPERM, Kind::accessDenied},
    {EACCES, Kind::accessDenied},
    {EINVAL, Kind::directIOUnsupported},
    {ENOTTY, Kind::directIOUnsupported},
    {ENOTSUP, Kind::directIOUnsupported},
    {EFBIG, Kind::fileTooLarge},
    {ENOSPC, Kind::notEnoughSpace},
    {EDQUOT, Kind::quotaExceeded},
    {EMFILE, Kind::outOfDescriptors},
    {ENFILE, Kind::outOfDescriptors},
    {EROFS, Kind::writeProtected},
}};

} // namespace

StorageBenchmarkFailure StorageBenchmarkFailure::fromErrno(int error) {
    for (const auto& [number, kind] : errnoKinds)
        if (number == error) return StorageBenchmarkFailure(kind);
    return StorageBenchmarkFailure(Kind::targetUnavailable);
}

std::optional<StorageBenchmarkFailure> StorageBenchmarkFailure::fromRawValue(std::string_view raw) {
    if (const auto kind = fromRaw<Kind>(raw)) return StorageBenchmarkFailure(*kind);
    return std::nullopt;
}

std::string_view StorageBenchmarkFailure::rawValue() const { return zantiva::rawValue(kind_); }

// The raw values are literals, so their text ends in a terminating zero.
const char* StorageBenchmarkFailure::what() const noexcept { return rawValue().data(); }

LocalizedMessage StorageBenchmarkFailure::userMessage() const { return LocalizedMessage(std::string(rawValue())); }

} // namespace zantiva
