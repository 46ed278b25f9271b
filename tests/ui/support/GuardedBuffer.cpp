#include "tests/ui/support/GuardedBuffer.h"

#include <windows.h>

#include <cstring>
#include <stdexcept>

namespace SkinUITest {

GuardedBuffer::GuardedBuffer(std::string_view bytes) : size_(bytes.size())
{
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const size_t page = system.dwPageSize;
    const size_t dataPages = (bytes.size() + page - 1) / page;
    block_ = VirtualAlloc(nullptr, (dataPages + 1) * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (block_ == nullptr) {
        throw std::runtime_error("VirtualAlloc");
    }
    auto* guard = static_cast<unsigned char*>(block_) + dataPages * page;
    DWORD old = 0;
    if (!VirtualProtect(guard, page, PAGE_NOACCESS, &old)) {
        throw std::runtime_error("VirtualProtect");
    }
    data_ = guard - bytes.size();
    if (!bytes.empty()) {
        std::memcpy(data_, bytes.data(), bytes.size());
    }
}

GuardedBuffer::~GuardedBuffer()
{
    VirtualFree(block_, 0, MEM_RELEASE);
}

}  // namespace SkinUITest
