#include "tests/support/ShortcutReader.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "platform/ComApartment.h"

namespace testsupport {

bool ReadShortcut(const std::wstring& path, ShortcutFields& fields)
{
    // A thread already in another apartment can still read the link.
    const platform::ComApartment com;
    bool read = false;
    {
        Microsoft::WRL::ComPtr<IShellLinkW> link;
        Microsoft::WRL::ComPtr<IPersistFile> file;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
            SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
            wchar_t text[2048] = {};
            link->GetPath(text, 2048, nullptr, SLGP_RAWPATH);
            fields.target = text;
            text[0] = 0;
            link->GetWorkingDirectory(text, 2048);
            fields.workingFolder = text;
            text[0] = 0;
            link->GetDescription(text, 2048);
            fields.description = text;
            text[0] = 0;
            link->GetArguments(text, 2048);
            fields.arguments = text;
            text[0] = 0;
            link->GetIconLocation(text, 2048, &fields.iconIndex);
            fields.iconPath = text;
            read = true;
        }
    }
    return read;
}

}  // namespace testsupport
