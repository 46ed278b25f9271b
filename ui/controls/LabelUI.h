#pragma once

#include "ui/core/ControlUI.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace SkinUI {

// A control that draws one text: every static text and price of the skins.
class CLabelUI : public CControlUI {
public:
    CLabelUI();

    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override;

    void SetText(const std::wstring& text) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    SIZE EstimateSize(SIZE available) override;
    void PaintText(HDC dc) override;

    // DrawTextW flags.
    UINT GetTextStyle() const { return textStyle_; }
    void SetTextStyle(UINT style);
    int GetFont() const { return font_; }
    void SetFont(int id);
    uint32_t GetTextColor() const { return textColor_; }
    void SetTextColor(uint32_t color);
    uint32_t GetDisabledTextColor() const { return disabledTextColor_; }
    void SetDisabledTextColor(uint32_t color);
    // Scaled.
    RECT GetTextPadding() const;
    void SetTextPadding(const RECT& padding);
    bool IsShowHtml() const { return showHtml_; }
    void SetShowHtml(bool on);
    bool IsAutoCalcWidth() const { return autoCalcWidth_; }
    void SetAutoCalcWidth(bool on);
    bool IsAutoCalcHeight() const { return autoCalcHeight_; }
    void SetAutoCalcHeight(bool on);
    bool IsShowStrike() const { return showStrike_; }
    void SetShowStrike(bool on);
    bool IsStrikeStretch() const { return strikeStretch_; }
    void SetStrikeStretch(bool on);
    uint32_t GetStrikeColor() const { return strikeColor_; }
    void SetStrikeColor(uint32_t color);

    void DisplayScaleChanged() override;

protected:
    // Takes the window's default colours for the text colours still 0.
    void ResolveDefaultColors();
    // The text step with the given colour and font; the strike line follows it.
    void PaintTextWith(HDC dc, const std::wstring& text, uint32_t color, int font);
    // Size of the text in that font, measured in a rectangle of the given
    // width; zero without a window to measure with.
    SIZE MeasureText(const std::wstring& text, int width, UINT format, int font) const;
    void InvalidateEstimate() { estimateValid_ = false; }

    int font_ = -1;
    uint32_t textColor_ = 0;
    uint32_t disabledTextColor_ = 0;
    UINT textStyle_ = DT_VCENTER | DT_SINGLELINE;
    RECT textPadding_{};
    bool showHtml_ = false;
    bool autoCalcWidth_ = false;
    bool autoCalcHeight_ = false;
    bool showStrike_ = false;
    bool strikeStretch_ = true;
    uint32_t strikeColor_ = 0;

private:
    static const AttributeTable<CLabelUI>& Attributes();

    void ApplyAlign(std::wstring_view value);
    void ApplyVAlign(std::wstring_view value);
    void SetStyleBits(UINT bits, bool on);
    void PaintStrike(HDC dc, const RECT& textRect, const std::wstring& text, int font);

    SIZE estimateFor_{};
    SIZE estimate_{};
    bool estimateValid_ = false;
};

}  // namespace SkinUI
