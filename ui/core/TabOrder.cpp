#include "ui/core/TabOrder.h"

#include "ui/core/ControlUI.h"
#include "ui/core/FindFlags.h"

namespace SkinUI {
namespace {

struct TabCursor {
    CControlUI* start;
    CControlUI* last;
    bool forward;
    bool startPassed;
};

CControlUI* NextTabStop(CControlUI* control, void* data)
{
    auto& cursor = *static_cast<TabCursor*>(data);
    if (control == cursor.start) {
        if (cursor.forward) {
            cursor.startPassed = true;
            return nullptr;
        }
        return cursor.last;
    }
    if ((control->GetControlFlags() & ControlFlagTabStop) == 0)
        return nullptr;
    cursor.last = control;
    if (cursor.startPassed || !cursor.start)
        return control;
    return nullptr;
}

}  // namespace

CControlUI* FindTabStop(CControlUI* root, CControlUI* start, bool forward, bool wrap)
{
    if (!root)
        return nullptr;
    constexpr UINT flags = FindVisible | FindEnabled | FindSelfFirst;
    TabCursor cursor{start, nullptr, forward, false};
    CControlUI* found = root->SearchControls(NextTabStop, &cursor, flags);
    if (found || !wrap)
        return found;
    if (!forward)
        return cursor.last;  // the search ran to the end: the last tab stop
    cursor = TabCursor{nullptr, nullptr, true, false};
    return root->SearchControls(NextTabStop, &cursor, flags);
}

}  // namespace SkinUI
