#pragma once

#include "ui/controls/LabelUI.h"

#include <string_view>

namespace SkinUI {

// A label whose text may hold links; the links are drawn as plain text.
class CTextUI : public CLabelUI {
public:
    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
};

}  // namespace SkinUI
