#include "Model/StorageTestProfile.h"

namespace zantiva {

std::int64_t blockSize(StorageTestProfile profile) { return isSequential(profile) ? 1'048'576 : 4096; }

int queueDepth(StorageTestProfile profile) {
    switch (profile) {
    case StorageTestProfile::seq1MQ8T1: return 8;
    case StorageTestProfile::rnd4KQ32T1: return 32;
    case StorageTestProfile::rnd4KQ1T1: break;
    }
    return 1;
}

bool isSequential(StorageTestProfile profile) { return profile == StorageTestProfile::seq1MQ8T1; }

} // namespace zantiva
