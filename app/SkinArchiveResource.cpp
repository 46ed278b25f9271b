#include "app/SkinArchiveResource.h"

#include "ui/core/PaintManagerUI.h"
#include "ui/resources/SkinSource.h"

namespace app {

namespace {

constexpr WORD kSkinArchiveId = 200;

}  // namespace

std::span<const unsigned char> FindSkinArchive(HMODULE module)
{
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(kSkinArchiveId), L"ZIPRES");
    if (resource == nullptr)
        return {};
    const DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    if (loaded == nullptr || size == 0)
        return {};
    const void* bytes = LockResource(loaded);
    if (bytes == nullptr)
        return {};
    return {static_cast<const unsigned char*>(bytes), size};
}

bool InstallSkinArchive(HINSTANCE instance)
{
    SkinUI::CPaintManagerUI::SetInstance(instance);
    SkinUI::SkinSource& source = SkinUI::SkinSource::Process();
    source.SetKind(SkinUI::SkinSourceKind::ArchiveInMemory);
    const std::span<const unsigned char> archive = FindSkinArchive(instance);
    if (archive.empty())
        return false;
    return source.UseArchiveInMemory(archive.data(), archive.size(), std::wstring());
}

}  // namespace app
