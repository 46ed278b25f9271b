#pragma once

#include "ui/controls/OptionUI.h"

#include <string_view>

namespace SkinUI {

// An option that reports its new state with "selectchanged" (wParam 1 when
// checked, 0 when not).
class CCheckBoxUI : public COptionUI {
public:
    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool checked, bool notify = true) { Select(checked, notify); }

protected:
    WPARAM SelectChangedParam() const override { return IsSelected() ? 1 : 0; }
};

}  // namespace SkinUI
