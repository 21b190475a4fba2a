#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "Platform/CancelToken.h"
#include "Engines/MemoryTestFailure.h"
#include "Model/MemoryPassProgress.h"
#include "Model/MemoryTestProgress.h"
#include "Model/MemoryTestResult.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

// Checks main memory with a pattern test and measures its throughput meanwhile: fills
// one large buffer with a byte, reads it all back against that byte, counts the bytes
// that differ, once per pattern.
class MemoryTestEngine {
public:
    // Called after every chunk: the reading, the pass (1 … 3), its pattern, and whether
    // the pass is verifying (false while writing). Runs on the engine thread.
    using Progress = std::function<void(const MemoryTestProgress&, int pass, std::uint8_t pattern, bool verifying)>;
    // Sees the whole buffer after each write pass, before its verify pass.
    using AfterWrite = std::function<void(std::span<std::byte> buffer, std::uint8_t pattern)>;

    static constexpr std::int64_t standardTestBytes = 512LL * 1024 * 1024;
    static constexpr std::int64_t chunkBytes = 4LL * 1024 * 1024;
    // A multiple of the 16 KiB the chunks need, and the size of a huge page, so that
    // huge pages can back the whole buffer.
    static constexpr std::size_t bufferAlignment = 2 * 1024 * 1024;
    static constexpr std::array<std::uint8_t, 3> patterns = memoryTestPatterns;
    // Kept free beside the buffer for the rest of the process (the reference block, the
    // window, the allocator's own pages), so that the test never takes the last of it.
    static constexpr std::int64_t spareBytes = 64LL * 1024 * 1024;

    // testBytes must be a positive multiple of chunkBytes (std::invalid_argument otherwise).
    // The memory limits are read under `root` (MemoryHeadroom).
    explicit MemoryTestEngine(std::int64_t testBytes = standardTestBytes, AfterWrite afterWrite = {},
                              ProbeRoot root = {});

    // Blocks until the test has ended on its own thread. Throws CancellationError when
    // cancel is set (checked before every chunk) and MemoryTestFailure when the buffer
    // can't be had or less than it and spareBytes is free to this process.
    MemoryTestResult run(const Progress& progress, const CancelToken& cancel) const;

private:
    MemoryTestResult execute(const Progress& progress, const CancelToken& cancel) const;

    std::int64_t testBytes_;
    AfterWrite afterWrite_;
    ProbeRoot root_;
};

} // namespace zantiva
