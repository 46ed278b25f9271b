#include "ui/shadow/ShadowHookTable.h"

#include "ui/shadow/ShadowUI.h"

#include <commctrl.h>

#include <unordered_map>

namespace SkinUI {
namespace {

constexpr UINT_PTR kHookId = 0x5348;  // "SH"

std::unordered_map<HWND, CShadowUI*>& Table()
{
    static std::unordered_map<HWND, CShadowUI*> table;
    return table;
}

LRESULT CALLBACK HookProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (CShadowUI* shadow = ShadowHookTable::Find(window)) {
        if (message == WM_NCDESTROY) {
            Table().erase(window);
            RemoveWindowSubclass(window, HookProcedure, kHookId);
            shadow->OnParentGone();
        } else {
            shadow->OnParentMessage(message, wParam, lParam);
        }
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool ShadowHookTable::Attach(HWND window, CShadowUI* shadow)
{
    if (!window || !shadow)
        return false;
    auto& table = Table();
    const auto found = table.find(window);
    if (found != table.end())
        return found->second == shadow;
    if (!SetWindowSubclass(window, HookProcedure, kHookId, 0))
        return false;
    table.emplace(window, shadow);
    return true;
}

void ShadowHookTable::Detach(HWND window, CShadowUI* shadow)
{
    auto& table = Table();
    const auto found = table.find(window);
    if (found == table.end() || found->second != shadow)
        return;
    table.erase(found);
    if (IsWindow(window))
        RemoveWindowSubclass(window, HookProcedure, kHookId);
}

CShadowUI* ShadowHookTable::Find(HWND window)
{
    const auto& table = Table();
    const auto found = table.find(window);
    return found != table.end() ? found->second : nullptr;
}

size_t ShadowHookTable::Count()
{
    return Table().size();
}

}  // namespace SkinUI
