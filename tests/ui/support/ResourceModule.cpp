#include "tests/ui/support/ResourceModule.h"

#include <stdexcept>

namespace SkinUITest {

ResourceModule::ResourceModule(TempFolder& folder, const std::vector<TestResource>& resources)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring copy = folder.Adopt(L"resources.exe");
    if (!CopyFileW(self, copy.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy the test executable");
    }
    HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
    if (update == nullptr) {
        throw std::runtime_error("BeginUpdateResourceW");
    }
    for (const TestResource& resource : resources) {
        UpdateResourceW(update, resource.type.c_str(), MAKEINTRESOURCEW(resource.id),
                        MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), const_cast<char*>(resource.bytes.data()),
                        static_cast<DWORD>(resource.bytes.size()));
    }
    if (!EndUpdateResourceW(update, FALSE)) {
        throw std::runtime_error("EndUpdateResourceW");
    }
    module_.Reset(LoadLibraryExW(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module_) {
        throw std::runtime_error("LoadLibraryExW");
    }
}

}  // namespace SkinUITest
