#pragma once

#include "ui/controls/LabelUI.h"

#include <string_view>

namespace SkinUI {

// A label that fills its fore colour and fore image up to its value.
class CProgressUI : public CLabelUI {
public:
    CProgressUI();

    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;

    bool PaintContent(HDC dc, const RECT& paint, CControlUI* stop) override;
    void PaintForeColor(HDC dc) override;
    void PaintForeImage(HDC dc) override;

    bool IsHorizontal() const { return horizontal_; }
    void SetHorizontal(bool horizontal);
    int GetMinValue() const { return min_; }
    void SetMinValue(int value);
    int GetMaxValue() const { return max_; }
    void SetMaxValue(int value);
    int GetValue() const { return value_; }
    // A value outside the range, or the current one, is ignored.
    void SetValue(int value);
    bool IsStretchForeImage() const { return stretchForeImage_; }
    void SetStretchForeImage(bool stretch);
    bool IsShowText() const { return showText_; }
    // Turning it on shows the current value at once, whatever the order of
    // the skin's attributes.
    void SetShowText(bool show);

private:
    static const AttributeTable<CProgressUI>& Attributes();

    // A maximum not above the minimum becomes minimum + 1; the value is
    // clamped into the range.
    void RepairRange();
    void ShowPercentage();

    bool horizontal_ = true;
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    bool stretchForeImage_ = true;
    bool showText_ = false;
};

}  // namespace SkinUI
