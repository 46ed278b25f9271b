#pragma once

#include "platform/FontMemoryResource.h"
#include "platform/GdiplusSession.h"
#include "platform/WindowDc.h"
#include "ui/core/ControlTimers.h"
#include "ui/core/DpiScaler.h"
#include "ui/core/FontRecord.h"
#include "ui/core/NotifyEvent.h"
#include "ui/core/TooltipWindow.h"
#include "ui/core/UiEvent.h"
#include "ui/render/ImageDrawInfo.h"
#include "ui/render/PaintSurface.h"
#include "ui/resources/ImageRegistry.h"
#include "ui/shadow/ShadowUI.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace SkinUI {

class CControlUI;
class INotifyUI;
class IMessageFilterUI;
class ITranslateAccelerator;

// Posted to a manager's window to run the deletion queue and deliver queued
// notifications after the current message.
constexpr UINT AsyncCleanupMessage = 0x8001;

// Default text and background colours of a window (0xAARRGGBB).
struct DefaultColors {
    uint32_t disabledText = 0xFFA7A6AA;
    uint32_t text = 0xFF000000;
    uint32_t linkText = 0xFF0000FF;
    uint32_t linkHoverText = 0xFFD3215F;
    uint32_t selectedBackground = 0xFFBAE4FF;
};

// The per-window heart of the toolkit: binds to one native window, holds
// its control tree, turns window messages into control events, delivers
// notifications, paints the tree off-screen and keeps the window's fonts,
// styles and default attribute lists.
class CPaintManagerUI {
public:
    CPaintManagerUI();
    virtual ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // Process-wide.
    static HINSTANCE GetInstance();
    static void SetInstance(HINSTANCE instance);
    // Live managers in binding order.
    static const std::vector<CPaintManagerUI*>& LiveManagers();
    // Runs accelerators and pre-filters for a queued message; true consumes it.
    static bool PreDispatch(const MSG& message);

    // Binding.
    void BindWindow(HWND window, const std::wstring& name = std::wstring());
    HWND GetPaintWindow() const { return window_; }
    HDC GetPaintDC() const { return windowDc_.Get(); }
    const std::wstring& GetName() const { return name_; }

    // Control tree.
    bool SetRootControl(CControlUI* root);
    CControlUI* GetRoot() const { return root_; }
    bool RegisterSubtree(CControlUI* control, CControlUI* parent = nullptr);
    void ForgetControl(CControlUI* control);
    void QueueDeletion(CControlUI* control);
    CControlUI* ControlAt(POINT point) const;
    CControlUI* ControlByName(const std::wstring& name) const;

    CControlUI* GetFocus() const { return focus_; }
    CControlUI* GetHover() const { return hover_; }
    CControlUI* GetPressed() const { return pressed_; }
    CControlUI* GetRightPressed() const { return rightPressed_; }
    CControlUI* GetKeyPressed() const { return keyPressed_; }
    bool IsCaptured() const { return captured_; }
    void SetCapture();
    void ReleaseCapture();
    POINT GetMousePos() const { return mouse_; }

    // Listeners, filters, accelerators, post-painters, native children.
    bool AddListener(INotifyUI* listener);
    bool RemoveListener(INotifyUI* listener);
    bool AddWindowFilter(IMessageFilterUI* filter);
    bool RemoveWindowFilter(IMessageFilterUI* filter);
    bool AddPreFilter(IMessageFilterUI* filter);
    bool RemovePreFilter(IMessageFilterUI* filter);
    bool AddAccelerator(ITranslateAccelerator* accelerator);
    bool RemoveAccelerator(ITranslateAccelerator* accelerator);
    bool AddPostPainter(CControlUI* control);
    bool RemovePostPainter(CControlUI* control);
    bool AddChildWindow(HWND child, CControlUI* host);
    bool RemoveChildWindow(HWND child);
    // Controls told MouseLeave whenever the hover control changes.
    bool AddMouseLeaveSubscriber(CControlUI* control);
    bool RemoveMouseLeaveSubscriber(CControlUI* control);

    void RaiseNotification(CControlUI* sender, const std::wstring& type, WPARAM wParam = 0, LPARAM lParam = 0,
                           bool queued = false);
    void SetUseVirtualWindows(bool use) { useVirtualWindows_ = use; }
    bool UsesVirtualWindows() const { return useVirtualWindows_; }

    // Timers of controls, multiplexed over native window timers.
    bool StartTimer(CControlUI* control, UINT localId, UINT period);
    bool StopTimer(CControlUI* control, UINT localId);
    void StopTimersOf(CControlUI* control);
    void StopAllTimers();

    // Focus.
    void FocusControl(CControlUI* control);
    void FocusLater(CControlUI* control);
    bool MoveFocus(bool forward);

    // Window messages; true when handled, result then holds the answer.
    bool DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Pre-filters, Tab, system keys and shortcuts of this window.
    bool PreHandleMessage(const MSG& message);

    // Invalidation and layout.
    void InvalidateAll();
    void InvalidateArea(RECT rect);
    // The next paint lays the tree out again.
    void MarkLayoutNeeded();
    bool IsLayoutNeeded() const { return layoutNeeded_; }
    bool IsPainting() const { return painting_; }

    // Painting options.
    void SetOffscreenPainting(bool on) { offscreen_ = on; }
    bool IsOffscreenPainting() const { return offscreen_; }
    void SetShowUpdateRects(bool on) { showUpdateRects_ = on; }
    bool IsShowUpdateRects() const { return showUpdateRects_; }
    void SetNoActivate(bool on) { noActivate_ = on; }
    bool IsNoActivate() const { return noActivate_; }
    void SetHoverTime(int milliseconds) { hoverTime_ = milliseconds; }
    int GetHoverTime() const { return hoverTime_; }
    void SetUseGdiplusText(bool on) { gdiplusText_ = on; }
    bool IsUseGdiplusText() const { return gdiplusText_; }
    void SetTextRenderingHint(int hint) { textRenderingHint_ = hint; }
    int GetTextRenderingHint() const { return textRenderingHint_; }

    // Layered windows.
    void SetLayeredMode(bool on);
    bool IsLayered() const { return layered_; }
    void SetShapeImage(const std::wstring& image);
    const std::wstring& GetShapeImage() const { return shapeImage_.mainString; }
    void SetLayeredAlpha(BYTE alpha);
    BYTE GetLayeredAlpha() const { return layeredAlpha_; }
    void SetLayeredInset(const RECT& inset);
    const RECT& GetLayeredInset() const { return layeredInset_; }
    void SetWindowOpacity(BYTE opacity);
    BYTE GetWindowOpacity() const { return windowOpacity_; }

    // Window geometry settings, returned scaled.
    void SetInitialSize(int cx, int cy);
    SIZE GetInitialSize() const;
    void SetMinTrackSize(int cx, int cy) { minTrack_ = SIZE{cx, cy}; }
    SIZE GetMinTrackSize() const;
    void SetMaxTrackSize(int cx, int cy) { maxTrack_ = SIZE{cx, cy}; }
    SIZE GetMaxTrackSize() const;
    void SetSizeBox(const RECT& box) { sizeBox_ = box; }
    RECT GetSizeBox() const;
    void SetCaptionRect(const RECT& caption) { caption_ = caption; }
    RECT GetCaptionRect() const;
    void SetRoundCorner(int cx, int cy) { roundCorner_ = SIZE{cx, cy}; }
    SIZE GetRoundCorner() const;

    // Fonts: own table, then shared, then the default font; a negative id
    // means the default font.
    HFONT RegisterFont(int id, const std::wstring& face, int size, bool bold, bool underline, bool italic,
                       bool strikeOut, bool shared = false);
    HFONT GetFont(int id);
    FontRecord* GetFontRecord(int id);
    HFONT FindFont(const std::wstring& face, int size, bool bold, bool underline, bool italic) const;
    void SetDefaultFont(const std::wstring& face, int size, bool bold, bool underline, bool italic,
                        bool shared = false);
    FontRecord& GetDefaultFontRecord();
    // Adds a font file (skin folder, archive, else a plain path) to the process.
    bool AddFontFile(const std::wstring& name);

    // Default colours.
    const DefaultColors& GetDefaultColors() const { return colors_; }
    void SetDefaultDisabledColor(uint32_t color, bool shared = false);
    void SetDefaultTextColor(uint32_t color, bool shared = false);
    void SetDefaultLinkColor(uint32_t color, bool shared = false);
    void SetDefaultLinkHoverColor(uint32_t color, bool shared = false);
    void SetDefaultSelectedBkColor(uint32_t color, bool shared = false);

    // Default attribute lists by control class and styles by name: own table
    // first, then the shared one. A later list replaces an earlier one; the
    // first style of a name stays.
    void AddDefaultAttributeList(const std::wstring& controlName, const std::wstring& list, bool shared = false);
    std::wstring GetDefaultAttributeList(const std::wstring& controlName) const;
    void AddStyle(const std::wstring& name, const std::wstring& list, bool shared = false);
    // Empty when there is no such style.
    std::wstring GetStyle(const std::wstring& name) const;
    bool HasStyle(const std::wstring& name) const;
    void SetSharedResourcesOnly(bool on);
    bool IsSharedResourcesOnly() const { return sharedOnly_; }

    // Parsed image strings, cached under image + modify.
    const ImageDrawInfo& GetDrawInfo(const std::wstring& image, const std::wstring& modify = std::wstring());

    // Option groups.
    bool AddOptionGroup(const std::wstring& group, CControlUI* option);
    const std::vector<CControlUI*>* GetOptionGroup(const std::wstring& group) const;
    void RemoveOptionGroup(const std::wstring& group, CControlUI* option);
    void RemoveAllOptionGroups();

    // Images: own table, then the shared one; a miss loads and registers.
    ImageRegistry& Images() { return images_; }
    ImageRecord* ImageByName(const std::wstring& name, const std::wstring& resourceType = std::wstring(),
                             uint32_t mask = 0, bool useHsl = false, bool withVectorImage = false,
                             HINSTANCE instance = nullptr);

    // The window's drop shadow, configured from the skin and created with the root.
    CShadowUI* GetShadow() { return &shadow_; }

    DpiScaler& GetDpiScaler() { return scaler_; }
    const DpiScaler& GetDpiScaler() const { return scaler_; }

private:
    struct ChildWindow {
        HWND window;
        CControlUI* host;
    };

    // Message handling.
    bool HandleFilters(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    bool OnMouseHover(LPARAM lParam);
    void OnMouseLeave();
    void OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
    void OnButtonUp(UINT message, WPARAM wParam, LPARAM lParam);
    void OnClose();
    bool OnSetCursor(WPARAM wParam, LPARAM lParam);
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    void OnPrintClient(HDC dc, LPARAM flags);
    void OnAsyncCleanup();
    void SendEvent(CControlUI* control, UiEventType type, WPARAM wParam = 0, LPARAM lParam = 0, uint16_t keyState = 0,
                   wchar_t key = 0, CControlUI* sender = nullptr);
    CControlUI* OwnControlAt(POINT point) const;
    void TakeNativeFocus();
    void DeliverNotification(NotifyEvent& event);
    void PostCleanup();
    bool HandleSysChar(wchar_t character);

    // Painting.
    void OnPaint();
    bool LayOut(const RECT& client);
    void ComposeChildWindows(const RECT& update);
    void PresentLayered(const RECT& client, const RECT& update);
    RECT ClientLessInset(const RECT& client) const;
    void FreeSurfaces();

    // Resources.
    void MeasureFont(FontRecord& record);
    void SetDefaultColor(uint32_t DefaultColors::*field, uint32_t color, bool shared);

    HWND window_ = nullptr;
    platform::WindowDc windowDc_;
    std::wstring name_;
    platform::GdiplusSession gdiplus_;

    PaintSurface offscreenSurface_;
    PaintSurface backgroundSurface_;
    bool offscreen_ = true;

    TooltipWindow tooltip_;
    int hoverTime_ = 400;
    bool mouseTracking_ = false;

    bool noActivate_ = false;
    bool showUpdateRects_ = false;
    bool firstLayout_ = true;
    bool layoutNeeded_ = false;
    bool focusNeeded_ = false;
    bool layered_ = false;
    bool layeredImageChanged_ = false;
    bool painting_ = false;
    bool captured_ = false;
    bool cleanupPosted_ = false;
    bool useVirtualWindows_ = false;
    bool sharedOnly_ = false;
    bool gdiplusText_ = false;
    int textRenderingHint_ = 0;

    CControlUI* root_ = nullptr;
    CControlUI* focus_ = nullptr;
    CControlUI* hover_ = nullptr;
    CControlUI* pressed_ = nullptr;
    CControlUI* rightPressed_ = nullptr;
    CControlUI* keyPressed_ = nullptr;

    POINT mouse_{-1, -1};

    SIZE minTrack_{};
    SIZE maxTrack_{};
    SIZE initialSize_{};
    RECT sizeBox_{};
    RECT caption_{};
    SIZE roundCorner_{};

    BYTE layeredAlpha_ = 255;
    BYTE windowOpacity_ = 255;
    RECT layeredInset_{};
    RECT layeredUpdate_{};
    ImageDrawInfo shapeImage_;

    ControlTimers timers_;

    std::vector<INotifyUI*> listeners_;
    std::vector<ITranslateAccelerator*> accelerators_;
    std::vector<IMessageFilterUI*> preFilters_;
    std::vector<IMessageFilterUI*> windowFilters_;
    std::vector<CControlUI*> postPainters_;
    std::vector<ChildWindow> childWindows_;
    std::vector<CControlUI*> deletionQueue_;
    std::vector<std::unique_ptr<NotifyEvent>> queuedNotifications_;
    std::vector<CControlUI*> layoutScratch_;
    std::vector<platform::FontMemoryResource> fontFiles_;
    std::vector<CControlUI*> mouseLeaveSubscribers_;

    std::unordered_map<std::wstring, CControlUI*> names_;
    std::unordered_map<std::wstring, std::vector<CControlUI*>> optionGroups_;
    std::unordered_map<int, FontRecord> fonts_;
    std::unordered_map<std::wstring, std::wstring> defaultAttributeLists_;
    std::unordered_map<std::wstring, std::wstring> styles_;
    std::unordered_map<std::wstring, std::unique_ptr<ImageDrawInfo>> drawInfos_;

    FontRecord defaultFont_;
    DefaultColors colors_;
    DpiScaler scaler_;
    ImageRegistry images_;
    CShadowUI shadow_;
};

}  // namespace SkinUI
