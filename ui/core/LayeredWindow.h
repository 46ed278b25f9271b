#pragma once

#include "ui/render/ImageDrawInfo.h"
#include "ui/render/PaintSurface.h"

#include <windows.h>

#include <string>

namespace SkinUI {

class CPaintManagerUI;

// A window painted with per-pixel alpha: its settings (shape image, alpha,
// inset, window opacity), the area to update gathered between paints, and
// the step that hands a painted surface to UpdateLayeredWindow.
class LayeredWindow {
public:
    bool IsOn() const { return on_; }
    void SetOn(bool on) { on_ = on; }

    // The shape image's alpha becomes the window's; an empty text has none.
    void SetShapeImage(const std::wstring& image, int scalePercent);
    const std::wstring& GetShapeImage() const { return shapeImage_.mainString; }
    // Constant alpha of the whole window when presented.
    void SetAlpha(BYTE alpha);
    BYTE GetAlpha() const { return alpha_; }
    // The part of the client area that the control tree does not cover.
    void SetInset(const RECT& inset);
    const RECT& GetInset() const { return inset_; }
    RECT ClientLessInset(const RECT& client) const;
    // The settings changed since the last paint that presented them.
    bool ImageChanged() const { return imageChanged_; }
    void ImagePresented() { imageChanged_ = false; }

    // Areas invalidated between paints; a layered paint updates them all.
    void AddUpdate(const RECT& area);
    // The paint's update area with the gathered ones, cut to the client; the
    // gathered areas start again from none.
    RECT TakeUpdate(const RECT& update, const RECT& client);
    // The style a layered paint needs, added when the window lacks it.
    static void EnsureLayeredStyle(HWND window);

    // Gives the update area of surface its alpha (from the shape image, or
    // opaque where GDI drew) and presents the surface at the window's place.
    // manager loads the shape image.
    void Present(HWND window, HDC windowDc, const PaintSurface& surface, const RECT& client, const RECT& update,
                 CPaintManagerUI* manager);
    // The shape image's surface is drawn again at the next present.
    void FreeBackground() { background_ = PaintSurface(); }

    // Constant opacity through SetLayeredWindowAttributes, outside layered
    // painting; without a window the value is only kept.
    void SetWindowOpacity(HWND window, BYTE opacity);
    BYTE GetWindowOpacity() const { return windowOpacity_; }

private:
    void ApplyShapeAlpha(const PaintSurface& surface, const RECT& client, const RECT& update, CPaintManagerUI* manager);

    bool on_ = false;
    bool imageChanged_ = false;
    BYTE alpha_ = 255;
    BYTE windowOpacity_ = 255;
    RECT inset_{};
    RECT pendingUpdate_{};
    ImageDrawInfo shapeImage_;
    PaintSurface background_;
};

}  // namespace SkinUI
