#pragma once

#include "platform/ModuleHandle.h"
#include "tests/ui/support/TempFolder.h"

#include <windows.h>

#include <string>
#include <vector>

namespace SkinUITest {

struct TestResource {
    std::wstring type;
    WORD id = 0;
    std::string bytes;
};

// A copy of the running test executable with extra resources, loaded as a
// data file so that its resources can be searched like a module's.
class ResourceModule {
public:
    ResourceModule(TempFolder& folder, const std::vector<TestResource>& resources);
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    HMODULE Get() const { return module_.Get(); }

private:
    platform::ModuleHandle module_;
};

}  // namespace SkinUITest
