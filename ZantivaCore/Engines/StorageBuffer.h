#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

namespace zantiva {

// A heap buffer aligned for direct I/O: the kernel refuses O_DIRECT transfers whose memory
// is not aligned to the device's block size. Throws std::bad_alloc when memory is short.
class StorageBuffer {
public:
    static constexpr std::size_t alignment = 16'384;

    explicit StorageBuffer(std::size_t size) : size_(size) {
        void* memory = nullptr;
        if (::posix_memalign(&memory, alignment, size) != 0) throw std::bad_alloc();
        data_.reset(static_cast<std::byte*>(memory));
    }

    std::byte* data() { return data_.get(); }
    const std::byte* data() const { return data_.get(); }
    std::size_t size() const { return size_; }

private:
    struct Free {
        void operator()(std::byte* memory) const { std::free(memory); }
    };
    std::unique_ptr<std::byte, Free> data_;
    std::size_t size_;
};

} // namespace zantiva
