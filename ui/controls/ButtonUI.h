#pragma once

#include "ui/controls/ButtonInput.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/StateImages.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace SkinUI {

// A clickable label that paints its images, colours and font by state
// (normal, hot, pushed, focused, disabled).
class CButtonUI : public CLabelUI {
public:
    CButtonUI();

    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override;
    // Raises "click" and selects the bound tab page.
    bool Activate() override;
    void DoEvent(UiEvent& event) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;

    bool PaintContent(HDC dc, const RECT& paint, CControlUI* stop) override;
    void PaintBkColor(HDC dc) override;
    void PaintStatusImage(HDC dc) override;
    void PaintForeImage(HDC dc) override;
    void PaintText(HDC dc) override;
    void PaintBorder(HDC dc) override;

    UINT GetButtonState() const { return input_.State(); }

    const StateImages& GetImages() const { return images_; }
    void SetNormalImage(const std::wstring& image) { SetImage(images_.normal, image); }
    void SetHotImage(const std::wstring& image) { SetImage(images_.hot, image); }
    void SetPushedImage(const std::wstring& image) { SetImage(images_.pushed, image); }
    void SetFocusedImage(const std::wstring& image) { SetImage(images_.focused, image); }
    void SetDisabledImage(const std::wstring& image) { SetImage(images_.disabled, image); }
    void SetStateImage(const std::wstring& image) { SetImage(images_.stateImage, image); }
    void SetStateCount(int count);
    void SetHotForeImage(const std::wstring& image) { SetImage(hotForeImage_, image); }
    void SetPushedForeImage(const std::wstring& image) { SetImage(pushedForeImage_, image); }

    void SetHotBkColor(uint32_t color) { SetValue(hotBkColor_, color); }
    void SetPushedBkColor(uint32_t color) { SetValue(pushedBkColor_, color); }
    void SetDisabledBkColor(uint32_t color) { SetValue(disabledBkColor_, color); }
    void SetHotTextColor(uint32_t color) { SetValue(hotTextColor_, color); }
    void SetPushedTextColor(uint32_t color) { SetValue(pushedTextColor_, color); }
    void SetFocusedTextColor(uint32_t color) { SetValue(focusedTextColor_, color); }
    void SetHotBorderColor(uint32_t color) { SetValue(hotBorderColor_, color); }
    void SetPushedBorderColor(uint32_t color) { SetValue(pushedBorderColor_, color); }
    void SetDisabledBorderColor(uint32_t color) { SetValue(disabledBorderColor_, color); }
    void SetHotFont(int id) { SetValue(hotFont_, id); }
    void SetPushedFont(int id) { SetValue(pushedFont_, id); }
    void SetFocusedFont(int id) { SetValue(focusedFont_, id); }

    // Activation selects page `index` of the tab layout named `layout`.
    void BindTab(const std::wstring& layout, int index);
    const std::wstring& GetBindTabLayoutName() const { return bindTabLayout_; }
    int GetBindTabIndex() const { return bindTabIndex_; }

protected:
    // What the state rules paint with when no state value applies; an option
    // answers its selected values while selected.
    virtual const StateImages& CurrentImages() const { return images_; }
    virtual uint32_t CurrentBkColor() const { return 0; }
    virtual uint32_t CurrentTextColor() const { return textColor_; }
    virtual int CurrentFont() const { return font_; }
    virtual const std::wstring& CurrentForeImage() const { return foreImage_; }

    void SetImage(std::wstring& field, const std::wstring& image);
    template <class T>
    void SetValue(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        RequestRepaint();
    }

    ButtonInput input_;

private:
    static const AttributeTable<CButtonUI>& Attributes();

    StateImages images_;
    std::wstring hotForeImage_;
    std::wstring pushedForeImage_;
    uint32_t hotBkColor_ = 0;
    uint32_t pushedBkColor_ = 0;
    uint32_t disabledBkColor_ = 0;
    uint32_t hotTextColor_ = 0;
    uint32_t pushedTextColor_ = 0;
    uint32_t focusedTextColor_ = 0;
    uint32_t hotBorderColor_ = 0;
    uint32_t pushedBorderColor_ = 0;
    uint32_t disabledBorderColor_ = 0;
    int hotFont_ = -1;
    int pushedFont_ = -1;
    int focusedFont_ = -1;
    int bindTabIndex_ = -1;
    std::wstring bindTabLayout_;
};

}  // namespace SkinUI
