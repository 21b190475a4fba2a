#pragma once

#include <array>
#include <cstddef>
#include <exception>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

#include "Localization/LocalizedMessage.h"
#include "Model/RawValues.h"

namespace zantiva {

// Why a storage benchmark could not run or finish. Each kind's text raw value is also the
// message key of what the user is told.
class StorageBenchmarkFailure : public std::exception {
public:
    enum class Kind {
        notEnoughSpace,
        accessDenied,
        writeProtected,
        directIOUnsupported,
        targetUnavailable,
        fileTooLarge,     // a file-size limit on the process, or the file system's largest file
        quotaExceeded,    // the user's disk quota, not the drive, is full
        outOfDescriptors, // the process (or the system) can open no more files
    };

    explicit StorageBenchmarkFailure(Kind kind) : kind_(kind) {}

    // Maps a system error number by its name; anything unrecognised (0 and EIO too) means
    // the folder or its drive is not usable.
    static StorageBenchmarkFailure fromErrno(int error);
    // Exactly one of the message keys.
    static std::optional<StorageBenchmarkFailure> fromRawValue(std::string_view raw);

    Kind kind() const { return kind_; }
    std::string_view rawValue() const;
    LocalizedMessage userMessage() const;
    const char* what() const noexcept override; // the message key

    bool operator==(const StorageBenchmarkFailure& other) const { return kind_ == other.kind_; }

private:
    Kind kind_;
};

template <> struct RawValues<StorageBenchmarkFailure::Kind> {
    using Kind = StorageBenchmarkFailure::Kind;
    static constexpr std::array<std::pair<Kind, std::string_view>, 8> table{{
        {Kind::notEnoughSpace, "Ssd.Error.NotEnoughSpace"},
        {Kind::accessDenied, "Ssd.Error.AccessDenied"},
        {Kind::writeProtected, "Ssd.Error.WriteProtected"},
        {Kind::directIOUnsupported, "Ssd.Error.DirectIoUnsupported"},
        {Kind::targetUnavailable, "Ssd.Error.TargetUnavailable"},
        {Kind::fileTooLarge, "Ssd.Error.FileTooLarge"},
        {Kind::quotaExceeded, "Ssd.Error.QuotaExceeded"},
        {Kind::outOfDescriptors, "Ssd.Error.OutOfDescriptors"},
    }};
};

} // namespace zantiva

template <> struct std::hash<zantiva::StorageBenchmarkFailure> {
    std::size_t operator()(const zantiva::StorageBenchmarkFailure& failure) const noexcept {
        return std::hash<std::string_view>{}(failure.rawValue());
    }
};
