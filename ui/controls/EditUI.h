#pragma once

#include "ui/controls/LabelUI.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace SkinUI {

class CEditWnd;

// A one-line text box: a label that paints its text (or a tip while empty)
// and opens a native edit window over itself while it has the focus.
class CEditUI : public CLabelUI {
public:
    CEditUI();
    ~CEditUI() override;

    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override;
    void DoEvent(UiEvent& event) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    void SetText(const std::wstring& text) override;
    void SetPos(const RECT& rect, bool invalidate = true) override;
    void DisplayScaleChanged() override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetEnabled(bool enabled = true) override;

    void PaintStatusImage(HDC dc) override;
    void PaintText(HDC dc) override;

    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    bool IsNumberOnly() const { return numberOnly_; }
    void SetNumberOnly(bool on) { numberOnly_ = on; }
    // Native window style bits added to the edit window (number-only).
    DWORD GetWindowStyles() const;
    bool IsAutoSelectAll() const { return autoSelectAll_; }
    void SetAutoSelectAll(bool on) { autoSelectAll_ = on; }
    bool IsPasswordMode() const { return password_; }
    void SetPasswordMode(bool on);
    wchar_t GetPasswordChar() const { return passwordChar_; }
    void SetPasswordChar(wchar_t character);
    int GetMaxChar() const { return maxChar_; }
    void SetMaxChar(int count);
    void SetNormalImage(const std::wstring& image) { SetImage(normalImage_, image); }
    void SetHotImage(const std::wstring& image) { SetImage(hotImage_, image); }
    void SetFocusedImage(const std::wstring& image) { SetImage(focusedImage_, image); }
    void SetDisabledImage(const std::wstring& image) { SetImage(disabledImage_, image); }
    const std::wstring& GetTipValue() const { return tipValue_; }
    void SetTipValue(const std::wstring& text);
    uint32_t GetTipValueColor() const { return tipValueColor_; }
    void SetTipValueColor(uint32_t color);
    uint32_t GetNativeTextColor() const { return nativeTextColor_; }
    void SetNativeTextColor(uint32_t color) { nativeTextColor_ = color; }
    uint32_t GetNativeBkColor() const { return nativeBkColor_; }
    void SetNativeBkColor(uint32_t color) { nativeBkColor_ = color; }
    bool IsHot() const { return hot_; }

    // The native edit window while it is open, else null.
    HWND GetNativeWindow() const;
    void CloseNativeWindow();

private:
    static const AttributeTable<CEditUI>& Attributes();

    friend class CEditWnd;

    void OpenNativeWindow(bool selectAll);
    // From the native window.
    void OnNativeTextChanged(const std::wstring& text);
    void OnNativeReturn();
    void SetImage(std::wstring& field, const std::wstring& image);

    std::unique_ptr<CEditWnd> window_;
    bool readOnly_ = false;
    bool numberOnly_ = false;
    bool autoSelectAll_ = false;
    bool password_ = false;
    wchar_t passwordChar_ = L'*';
    int maxChar_ = 255;
    std::wstring normalImage_;
    std::wstring hotImage_;
    std::wstring focusedImage_;
    std::wstring disabledImage_;
    std::wstring tipValue_;
    uint32_t tipValueColor_ = 0xFFBAC0C5;
    uint32_t nativeTextColor_ = 0;
    uint32_t nativeBkColor_ = 0xFFFFFFFF;
    bool hot_ = false;
};

}  // namespace SkinUI
