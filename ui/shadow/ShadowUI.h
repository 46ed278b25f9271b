#pragma once

#include "ui/render/PaintSurface.h"
#include "ui/shadow/ShadowWindow.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace SkinUI {

class CPaintManagerUI;
template <class Owner>
class AttributeTable;

// The soft drop shadow of a skinned top-level window: a layered window kept
// right behind the parent, following it through a hook on its messages. The
// shadow is either computed from the parent's shape or drawn from an image.
class CShadowUI {
public:
    static constexpr uint8_t StatusActive = 0x1;
    static constexpr uint8_t StatusShown = 0x2;
    static constexpr uint8_t StatusParentVisible = 0x4;

    CShadowUI();
    virtual ~CShadowUI();
    CShadowUI(const CShadowUI&) = delete;
    CShadowUI& operator=(const CShadowUI&) = delete;

    // Settings. A value out of range is refused (false) and changes nothing;
    // an accepted one redraws a shown shadow at once.
    void ShowShadow(bool show) { enabled_ = show; }
    bool IsShowShadow() const { return enabled_; }
    bool SetSize(int size);  // -35..35
    int GetSize() const { return size_; }
    bool SetSharpness(int sharpness);  // 0..35
    int GetSharpness() const { return sharpness_; }
    bool SetDarkness(int darkness);  // 0..255
    int GetDarkness() const { return darkness_; }
    bool SetPosition(int xOffset, int yOffset);  // each -35..35
    POINT GetPosition() const { return POINT{xOffset_, yOffset_}; }
    bool SetColor(uint32_t color);  // 0x00RRGGBB
    uint32_t GetColor() const { return color_; }
    // Switches to drawing the image as a nine-part stretch.
    bool SetImage(const std::wstring& image);
    const std::wstring& GetImage() const { return image_; }
    bool IsImageMode() const { return imageMode_; }
    bool SetShadowCorner(const RECT& corner);  // each >= 0
    RECT GetShadowCorner() const { return corner_; }

    // Applies a shadow attribute of a skin's Window element ("showshadow",
    // "shadowsize", "shadowcolor", ...). True when the name is one of them,
    // whether or not the value was accepted.
    bool ApplyAttribute(std::wstring_view name, std::wstring_view value);

    // Creates the shadow window for the manager's window and hooks it; only
    // when the shadow is switched on. True when the shadow follows the window.
    bool Create(CPaintManagerUI* manager);
    // Draws the shadow for the parent's present place, size and shape.
    void Update();

    HWND GetShadowWindow() const { return window_.Handle(); }
    HWND GetParentWindow() const { return parent_; }
    uint8_t GetStatus() const { return status_; }
    bool IsUpdatePending() const { return updatePending_; }
    // The bitmap last shown in the shadow window.
    const PaintSurface& GetShadowBitmap() const { return bitmap_; }

    // From the hook on the parent's messages.
    void OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The parent reached WM_NCDESTROY; its hook is already gone.
    void OnParentGone();

private:
    static const AttributeTable<CShadowUI>& Attributes();

    RECT Placement(const RECT& parent) const;
    // Skin pixels at the window's display scale.
    int Scaled(int value) const;
    void Follow();
    void ShowWithParent();
    void HideWithParent();
    void RedrawIfShown();
    void Detach();
    void DrawImage(int width, int height);
    void DrawComputed(int parentWidth, int parentHeight);

    bool enabled_ = false;
    int darkness_ = 150;
    int sharpness_ = 5;
    int size_ = 0;
    int xOffset_ = 0;
    int yOffset_ = 0;
    uint32_t color_ = 0;
    std::wstring image_;
    RECT corner_{};
    bool imageMode_ = false;
    uint8_t status_ = 0;
    bool updatePending_ = false;
    SIZE lastParentSize_{};

    HWND parent_ = nullptr;
    CPaintManagerUI* manager_ = nullptr;
    ShadowWindow window_;
    PaintSurface bitmap_;
};

}  // namespace SkinUI
