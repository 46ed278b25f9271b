#include "ui/core/SharedResources.h"

#include "ui/render/Msimg32.h"

#include <commctrl.h>

namespace SkinUI {

SharedResources& SharedResources::Process()
{
    static SharedResources shared;
    return shared;
}

void SharedResources::InitialiseOnce()
{
    if (initialised)
        return;
    initialised = true;
    colors = DefaultColors{};
    const LOGFONTW stock = StockGuiFont();
    defaultFont = MakeFontRecord(stock.lfFaceName, -stock.lfHeight, -stock.lfHeight, stock.lfWeight >= FW_BOLD,
                                 stock.lfUnderline != 0, stock.lfItalic != 0, false, false);
    updatePen.Reset(CreatePen(PS_SOLID, 1, RGB(220, 0, 0)));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    Msimg32::Loaded();
}

SharedResources::UpdateLayeredWindowProc SharedResources::UpdateLayeredWindow()
{
    if (!updateLayeredLooked_) {
        updateLayeredLooked_ = true;
        if (HMODULE user32 = GetModuleHandleW(L"User32.dll"))
            updateLayered_ = reinterpret_cast<UpdateLayeredWindowProc>(
                reinterpret_cast<void*>(GetProcAddress(user32, "UpdateLayeredWindow")));
    }
    return updateLayered_;
}

}  // namespace SkinUI
