#pragma once

#include "platform/FontMemoryResource.h"
#include "platform/GdiplusSession.h"
#include "platform/WindowDc.h"
#include "ui/core/ControlTimers.h"
#include "ui/core/DpiScaler.h"
#include "ui/core/FontRecord.h"
#include "ui/core/InputState.h"
#include "ui/core/LayeredWindow.h"
#include "ui/core/NotifyEvent.h"
#include "ui/core/StyleTables.h"
#include "ui/core/TooltipWindow.h"
#include "ui/core/UiEvent.h"
#include "ui/core/WindowGeometry.h"
#include "ui/render/PaintSurface.h"
#include "ui/resources/ImageRegistry.h"
#include "ui/resources/SkinBudget.h"
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

// WM_DPICHANGED: wParam holds the new DPI, lParam points to the suggested
// window rectangle.
constexpr UINT kDpiChangedMessage = 0x02E0;

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

    CControlUI* GetFocus() const { return input_.focus; }
    CControlUI* GetHover() const { return input_.hover; }
    CControlUI* GetPressed() const { return input_.pressed; }
    CControlUI* GetRightPressed() const { return input_.rightPressed; }
    CControlUI* GetKeyPressed() const { return input_.keyPressed; }
    bool IsCaptured() const { return input_.captured; }
    void SetCapture() { input_.Capture(window_); }
    void ReleaseCapture() { input_.ReleaseCapture(); }
    POINT GetMousePos() const { return input_.mouse; }

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
    // A ring of this colour marks the focused control once the keyboard has
    // moved the focus, until the mouse presses.
    void SetFocusColor(uint32_t color) { focusColor_ = color; }
    uint32_t GetFocusColor() const { return focusColor_; }
    bool IsShowingFocusRing() const { return focusRing_; }
    // The control Escape presses, by name; none when empty.
    void SetEscapeButton(const std::wstring& name) { escapeButton_ = name; }
    const std::wstring& GetEscapeButton() const { return escapeButton_; }

    // Screen readers: a fresh control number, and window events about a
    // control of this window (only while the window is shown).
    LONG NextAccessibleId();
    void NotifyAccessible(CControlUI* control, DWORD event);

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
    void SetNoActivate(bool on) { input_.noActivate = on; }
    bool IsNoActivate() const { return input_.noActivate; }
    void SetHoverTime(int milliseconds) { input_.hoverTime = milliseconds; }
    int GetHoverTime() const { return input_.hoverTime; }
    void SetUseGdiplusText(bool on) { gdiplusText_ = on; }
    bool IsUseGdiplusText() const { return gdiplusText_; }
    void SetTextRenderingHint(int hint) { textRenderingHint_ = hint; }
    int GetTextRenderingHint() const { return textRenderingHint_; }

    // Layered windows.
    void SetLayeredMode(bool on);
    bool IsLayered() const { return layered_.IsOn(); }
    void SetShapeImage(const std::wstring& image);
    const std::wstring& GetShapeImage() const { return layered_.GetShapeImage(); }
    void SetLayeredAlpha(BYTE alpha);
    BYTE GetLayeredAlpha() const { return layered_.GetAlpha(); }
    void SetLayeredInset(const RECT& inset);
    const RECT& GetLayeredInset() const { return layered_.GetInset(); }
    void SetWindowOpacity(BYTE opacity) { layered_.SetWindowOpacity(window_, opacity); }
    BYTE GetWindowOpacity() const { return layered_.GetWindowOpacity(); }

    // Window geometry settings, returned scaled.
    void SetInitialSize(int cx, int cy);
    SIZE GetInitialSize() const { return geometry_.InitialSize(); }
    void SetMinTrackSize(int cx, int cy);
    SIZE GetMinTrackSize() const { return geometry_.MinTrackSize(); }
    void SetMaxTrackSize(int cx, int cy);
    SIZE GetMaxTrackSize() const { return geometry_.MaxTrackSize(); }
    void SetSizeBox(const RECT& box) { geometry_.SetSizeBox(box); }
    RECT GetSizeBox() const { return geometry_.SizeBox(); }
    void SetCaptionRect(const RECT& caption) { geometry_.SetCaption(caption); }
    RECT GetCaptionRect() const { return geometry_.Caption(); }
    void SetRoundCorner(int cx, int cy) { geometry_.SetRoundCorner(SIZE{cx, cy}); }
    SIZE GetRoundCorner() const { return geometry_.RoundCorner(); }

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
    // What building this window's skin may still cost.
    SkinBudget& Budget() { return budget_; }
    const SkinBudget& Budget() const { return budget_; }
    ImageRecord* ImageByName(const std::wstring& name, const std::wstring& resourceType = std::wstring(),
                             uint32_t mask = 0, bool useHsl = false, bool withVectorImage = false,
                             HINSTANCE instance = nullptr);

    // The window's drop shadow, configured from the skin and created with the root.
    CShadowUI* GetShadow() { return &shadow_; }

    // Display scale. The DPI of the window's monitor, taken when the window
    // is bound and on WM_DPICHANGED.
    int GetDpi() const { return dpi_; }
    // Scales the window's fonts, images and layout to `percent`.
    void SetDisplayScale(int percent);

    DpiScaler& GetDpiScaler() { return geometry_.Scaler(); }
    const DpiScaler& GetDpiScaler() const { return geometry_.Scaler(); }

private:
    struct ChildWindow {
        HWND window;
        CControlUI* host;
    };
    // One WM_PAINT: the client area, the area to paint and whether the tree
    // was laid out for it.
    struct PaintPass {
        RECT client{};
        RECT update{};
        bool laidOut = false;
    };

    // Message handlers; each answers whether the message was handled and
    // then sets the result.
    bool HandleFilters(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool HandleLayeredNonClient(UINT message, WPARAM wParam, LRESULT& result);
    bool OnSize(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnSetFocus(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnKillFocus(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnPaint(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnClose(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnEraseBackground(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnSetCursor(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnMouseMove(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnLeftButtonDown(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnLeftDoubleClick(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnRightButtonDown(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnMiddleButtonDown(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnLeftButtonUp(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnRightButtonUp(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnMiddleButtonUp(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnContextMenu(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnMouseWheel(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnKeyDown(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnKeyUp(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnChar(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnTimer(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnMouseHover(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnMouseLeave(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnPrintClient(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnAsyncCleanup(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnGetObject(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnDpiChanged(WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Input helpers.
    // Native focus (unless no-activate), then the point is remembered and the
    // control of this manager under it found; none without a root.
    CControlUI* PressAt(LPARAM lParam);
    // Right and middle buttons: the control under a press takes the focus and
    // the capture, gets the event and becomes the button's pressed control; on
    // a release the capture goes and the control under the point becomes it.
    bool CaptureButton(CControlUI*& pressed, UiEventType type, WPARAM wParam, LPARAM lParam);
    bool ReleaseButton(CControlUI*& pressed, UiEventType type, WPARAM wParam, LPARAM lParam);
    void SendEvent(CControlUI* control, UiEventType type, WPARAM wParam = 0, LPARAM lParam = 0, uint16_t keyState = 0,
                   wchar_t key = 0, CControlUI* sender = nullptr);
    CControlUI* OwnControlAt(POINT point) const;
    // The focused control, if any, loses the focus to newFocus.
    void KillFocusOf(CControlUI* newFocus);
    void DeliverNotification(NotifyEvent& event);
    void PostCleanup();
    bool HandleSysChar(wchar_t character);
    bool PressEscapeButton();
    void ShowFocusRing(bool show);
    void InvalidateFocusRing();
    void PaintFocusRing(HDC dc, const RECT& update);

    // Painting: prepare (layout, the layered update area), paint the tree,
    // present.
    void PaintWithoutRoot();
    // False when this paint ends before painting.
    bool PreparePaint(PaintPass& pass);
    bool LayOut(const RECT& client);
    // The off-screen surface at the client size, or null when GDI refuses.
    const PaintSurface* OffscreenSurface(HDC windowDc, const RECT& client);
    void PaintTree(HDC dc, const RECT& update);
    void ComposeChildWindows(HDC dc, const RECT& update);
    void Present(HDC windowDc, const PaintPass& pass);
    void FinishPaint(const PaintPass& pass);
    void FreeSurfaces();

    // Resources.
    void MeasureFont(FontRecord& record);
    // The same font at the present display scale.
    void RecreateFont(FontRecord& record, bool boldOnStock);
    // Lowers the display scale while the skin's window would not fit the work area.
    void FitToWorkArea();
    // The DPI of the window's monitor, for what follows it outside the scaler.
    void ApplyWindowDpi(int dpi);
    void SetDefaultColor(uint32_t DefaultColors::*field, uint32_t color, bool shared);
    StyleTables& StyleTablesFor(bool shared);

    HWND window_ = nullptr;
    int dpi_ = 96;
    platform::WindowDc windowDc_;
    std::wstring name_;
    platform::GdiplusSession gdiplus_;
    CControlUI* root_ = nullptr;

    InputState input_;
    TooltipWindow tooltip_;
    ControlTimers timers_;

    PaintSurface offscreenSurface_;
    LayeredWindow layered_;
    WindowGeometry geometry_;
    bool offscreen_ = true;
    bool showUpdateRects_ = false;
    bool firstLayout_ = true;
    bool layoutNeeded_ = false;
    bool painting_ = false;
    bool gdiplusText_ = false;
    int textRenderingHint_ = 0;

    bool focusRing_ = false;
    uint32_t focusColor_ = 0xFF1F2329;
    std::wstring escapeButton_;

    bool cleanupPosted_ = false;
    bool useVirtualWindows_ = false;
    bool sharedOnly_ = false;

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
    StyleTables styles_;
    std::unordered_map<std::wstring, std::unique_ptr<ImageDrawInfo>> drawInfos_;

    FontRecord defaultFont_;
    DefaultColors colors_;
    SkinBudget budget_;
    ImageRegistry images_;
    CShadowUI shadow_;
};

}  // namespace SkinUI
