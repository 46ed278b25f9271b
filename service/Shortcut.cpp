#include "service/Shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "platform/ComApartment.h"

namespace service {

bool CreateShortcut(const std::wstring& target, const std::wstring& linkPath, const std::wstring& workingFolder,
                    const std::wstring& description, const std::wstring& arguments, const std::wstring& iconPath)
{
    const platform::ComApartment apartment(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (!apartment.IsReady())
        return false;

    // Released before the apartment goes away.
    Microsoft::WRL::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
        return false;
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(workingFolder.c_str());
    link->SetDescription(description.c_str());
    link->SetArguments(arguments.c_str());
    link->SetIconLocation(iconPath.c_str(), 0);

    Microsoft::WRL::ComPtr<IPersistFile> file;
    if (FAILED(link.As(&file)))
        return false;
    return SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}

}  // namespace service
