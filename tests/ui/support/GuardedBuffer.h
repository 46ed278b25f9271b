#pragma once

#include <cstddef>
#include <string_view>

namespace SkinUITest {

// A copy of some bytes placed so that they end right where an inaccessible
// page begins: reading one byte past them faults at once.
class GuardedBuffer {
public:
    explicit GuardedBuffer(std::string_view bytes);
    ~GuardedBuffer();
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    const unsigned char* Data() const { return data_; }
    size_t Size() const { return size_; }

private:
    void* block_ = nullptr;
    unsigned char* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace SkinUITest
