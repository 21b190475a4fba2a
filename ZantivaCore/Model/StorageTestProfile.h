#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "Model/RawValues.h"

namespace zantiva {

// The storage test's access patterns, in the order the engine runs them. The stored text
// is also the label shown beside each figure. Each is measured reading and writing.
enum class StorageTestProfile { seq1MQ8T1, rnd4KQ32T1, rnd4KQ1T1 };

template <> struct RawValues<StorageTestProfile> {
    static constexpr std::array<std::pair<StorageTestProfile, std::string_view>, 3> table{{
        {StorageTestProfile::seq1MQ8T1, "SEQ1M Q8T1"},
        {StorageTestProfile::rnd4KQ32T1, "RND4K Q32T1"},
        {StorageTestProfile::rnd4KQ1T1, "RND4K Q1T1"},
    }};
};

// Bytes per request: 1 MiB sequential, 4096 random.
std::int64_t blockSize(StorageTestProfile profile);
// Requests kept in flight at once (one I/O thread each); the "T1" of a label is no field.
int queueDepth(StorageTestProfile profile);
bool isSequential(StorageTestProfile profile);

} // namespace zantiva
