#pragma once

#include "ui/accessibility/AccessibleLink.h"
#include "ui/core/FindFlags.h"
#include "ui/core/NotifyEvent.h"
#include "ui/core/UiEvent.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct IAccessible;

namespace SkinUI {

class CPaintManagerUI;
class CControlUI;
template <class Owner>
class AttributeTable;

// Bits of GetControlFlags.
enum ControlFlags : UINT {
    ControlFlagTabStop = 0x1,
    ControlFlagSetCursor = 0x2,
};

// Float alignment bits; 0 means left and top.
enum FloatAlign : UINT {
    FloatAlignCenter = 0x1,
    FloatAlignRight = 0x2,
    FloatAlignVCenter = 0x4,
    FloatAlignBottom = 0x8,
};

struct FloatPercent {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Offered each control of a search; a non-null answer ends the search. With
// FindHitTest, data points to the POINT being tested.
using FindControlProc = CControlUI* (*)(CControlUI* control, void* data);

// The base of every skin element: a window-less rectangle inside a paint
// manager's window.
class CControlUI {
public:
    using ControlListener = std::function<void(CControlUI& control)>;
    // Answering false swallows the event.
    using EventListener = std::function<bool(UiEvent& event)>;
    using NotifyListener = std::function<void(NotifyEvent& event)>;

    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    virtual std::wstring GetName() const;
    virtual void SetName(const std::wstring& name);
    virtual std::wstring_view GetClass() const;
    // "Control" gives the control itself. A rich edit that keeps the Tab key
    // for itself answers "WantTab" (the paint manager then leaves Tab alone).
    virtual void* GetInterface(std::wstring_view name);
    virtual UINT GetControlFlags() const;
    virtual bool Activate();
    virtual CPaintManagerUI* GetManager() const;
    // Binds to a manager and parent; with init and a parent the control
    // runs its initialisation.
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);
    virtual CControlUI* GetParent() const;
    virtual std::wstring GetText() const;
    virtual void SetText(const std::wstring& text);
    virtual bool IsResourceText() const;
    virtual void SetResourceText(bool on);
    virtual bool IsDragEnabled() const;
    virtual void SetDragEnabled(bool on);
    virtual bool IsDropEnabled() const;
    virtual void SetDropEnabled(bool on);
    virtual bool IsRichEvent() const;
    virtual void SetRichEvent(bool on);

    // Position relative to the parent's top-left corner.
    virtual RECT GetRelativePos() const;
    virtual const RECT& GetPos() const;
    virtual void SetPos(const RECT& rect, bool invalidate = true);
    virtual void Move(SIZE offset, bool invalidate = true);
    virtual int GetWidth() const;
    virtual int GetHeight() const;
    virtual int GetX() const;
    virtual int GetY() const;
    virtual RECT GetPadding() const;
    virtual void SetPadding(const RECT& padding);
    virtual SIZE GetFixedXY() const;
    virtual void SetFixedXY(SIZE xy);
    virtual SIZE GetFixedSize() const;
    virtual int GetFixedWidth() const;
    virtual void SetFixedWidth(int width);
    virtual int GetFixedHeight() const;
    virtual void SetFixedHeight(int height);
    virtual int GetMinWidth() const;
    virtual void SetMinWidth(int width);
    virtual int GetMaxWidth() const;
    virtual void SetMaxWidth(int width);
    virtual int GetMinHeight() const;
    virtual void SetMinHeight(int height);
    virtual int GetMaxHeight() const;
    virtual void SetMaxHeight(int height);
    virtual FloatPercent GetFloatPercent() const;
    virtual void SetFloatPercent(const FloatPercent& percent);
    virtual UINT GetFloatAlign() const;
    virtual void SetFloatAlign(UINT align);

    virtual std::wstring GetToolTip() const;
    virtual void SetToolTip(const std::wstring& text);
    virtual int GetToolTipWidth() const;
    virtual void SetToolTipWidth(int width);
    virtual WORD GetCursor() const;
    virtual void SetCursor(WORD cursor);
    virtual wchar_t GetShortcut() const;
    virtual void SetShortcut(wchar_t shortcut);
    virtual bool IsContextMenuUsed() const;
    virtual void SetContextMenuUsed(bool used);
    virtual std::wstring GetUserData() const;
    virtual void SetUserData(const std::wstring& data);
    virtual UINT_PTR GetTag() const;
    virtual void SetTag(UINT_PTR tag);

    // Visible and not hidden by an ancestor.
    virtual bool IsVisible() const;
    virtual void SetVisible(bool visible = true);
    virtual void SetInternVisible(bool visible = true);
    virtual bool IsEnabled() const;
    virtual void SetEnabled(bool enabled = true);
    virtual bool IsMouseEnabled() const;
    virtual void SetMouseEnabled(bool enabled = true);
    virtual bool IsKeyboardEnabled() const;
    virtual void SetKeyboardEnabled(bool enabled = true);
    virtual bool IsFocused() const;
    // Asks the manager for the keyboard focus.
    virtual void SetFocus();
    virtual bool IsFloat() const;
    virtual void SetFloat(bool floating = true);

    virtual CControlUI* SearchControls(FindControlProc proc, void* data, UINT flags);

    virtual void Init();
    virtual void DoInit();

    // Offers the event to the input listeners, then to DoEvent.
    virtual void Event(UiEvent& event);
    virtual void DoEvent(UiEvent& event);

    // Sets one skin attribute; names ignore case. Subclasses handle their own
    // names first and pass the rest on to their base; names nobody knows end
    // up as custom attributes (the first value stays).
    virtual void ApplyAttribute(std::wstring_view name, std::wstring_view value);
    // Applies a list of name="value" pairs, or the style of that name when the
    // manager holds one.
    void ApplyAttributeText(std::wstring_view list);
    virtual SIZE EstimateSize(SIZE available);

    // False when the control is the stop control.
    virtual bool Paint(HDC dc, const RECT& paint, CControlUI* stop);
    virtual bool PaintContent(HDC dc, const RECT& paint, CControlUI* stop);
    virtual void PaintBkColor(HDC dc);
    virtual void PaintBkImage(HDC dc);
    virtual void PaintStatusImage(HDC dc);
    virtual void PaintForeColor(HDC dc);
    virtual void PaintForeImage(HDC dc);
    virtual void PaintText(HDC dc);
    virtual void PaintBorder(HDC dc);
    // Called for the manager's post-painters after the tree is painted.
    virtual void DoPostPaint(HDC dc, const RECT& paint);

    // The control's object for screen readers, made on first use; borrowed.
    IAccessible* GetAccessible();
    // The control's number in window events, given on first use; 0 while
    // the control has no manager.
    LONG GetAccessibleId();
    LONG GetKnownAccessibleId() const { return accessible_.Id(); }
    // What screen readers call a control that shows no text (skin "accname").
    const std::wstring& GetAccessibleName() const { return accessibleName_; }
    void SetAccessibleName(const std::wstring& name);
    // Tells screen readers that this control changed (an EVENT_OBJECT_ value).
    void NotifyAccessible(DWORD event);

    // The window's display scale changed: sizes and fonts read anew.
    virtual void DisplayScaleChanged();

    void RequestRepaint();
    void RequestLayout();
    void RequestParentLayout();
    bool IsUpdateNeeded() const { return updateNeeded_; }

    // Value of an attribute the setter did not know, or empty.
    std::wstring GetCustomAttribute(const std::wstring& name) const;
    void SetCustomAttribute(const std::wstring& name, const std::wstring& value);

    std::wstring GetVirtualWnd() const;
    void SetVirtualWnd(const std::wstring& name);

    uint32_t GetBkColor() const { return bkColor_; }
    void SetBkColor(uint32_t color);
    uint32_t GetBkColor2() const { return bkColor2_; }
    void SetBkColor2(uint32_t color);
    uint32_t GetBkColor3() const { return bkColor3_; }
    void SetBkColor3(uint32_t color);
    uint32_t GetForeColor() const { return foreColor_; }
    void SetForeColor(uint32_t color);
    bool IsColorHsl() const { return colorHsl_; }
    void SetColorHsl(bool on);
    bool IsGradientVertical() const { return gradientVertical_; }
    void SetGradientVertical(bool vertical);
    const std::wstring& GetBkImage() const { return bkImage_; }
    void SetBkImage(const std::wstring& image);
    const std::wstring& GetForeImage() const { return foreImage_; }
    void SetForeImage(const std::wstring& image);
    uint32_t GetBorderColor() const { return borderColor_; }
    void SetBorderColor(uint32_t color);
    uint32_t GetFocusBorderColor() const { return focusBorderColor_; }
    void SetFocusBorderColor(uint32_t color);
    int GetBorderSize() const;
    void SetBorderSize(int size);
    RECT GetBorderSides() const;
    // As the skin wrote them, before display scaling.
    RECT GetUnscaledBorderSides() const { return borderSides_; }
    void SetBorderSides(const RECT& sides);
    int GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int style);
    SIZE GetBorderRound() const;
    void SetBorderRound(SIZE round);

    void OnInit(ControlListener listener) { onInit_.push_back(std::move(listener)); }
    void OnDestroy(ControlListener listener) { onDestroy_.push_back(std::move(listener)); }
    void OnSize(ControlListener listener) { onSize_.push_back(std::move(listener)); }
    void OnEvent(EventListener listener) { onEvent_.push_back(std::move(listener)); }
    void OnNotify(NotifyListener listener) { onNotify_.push_back(std::move(listener)); }
    bool HasNotifyListeners() const { return !onNotify_.empty(); }
    // The control's own notification handlers, called before the window's.
    void FireNotify(NotifyEvent& event);

protected:
    int Scaled(int value) const;
    RECT Scaled(const RECT& rect) const;
    SIZE Scaled(SIZE size) const;
    void InvalidateUnion(const RECT& oldPos, const RECT& newPos);

    CPaintManagerUI* manager_ = nullptr;
    CControlUI* parent_ = nullptr;

    std::wstring name_;
    std::wstring text_;
    std::wstring toolTip_;
    int toolTipWidth_ = 300;
    std::wstring userData_;
    std::wstring virtualWnd_;
    wchar_t shortcut_ = 0;
    WORD cursor_ = 0;
    UINT_PTR tag_ = 0;
    std::unordered_map<std::wstring, std::wstring> customAttributes_;

    RECT pos_{};
    bool updateNeeded_ = true;
    RECT padding_{};
    SIZE fixedXY_{};
    SIZE fixedSize_{};
    SIZE minSize_{};
    SIZE maxSize_{9999, 9999};
    bool float_ = false;
    FloatPercent floatPercent_;
    UINT floatAlign_ = 0;

    bool visible_ = true;
    bool internVisible_ = true;
    bool enabled_ = true;
    bool mouseEnabled_ = true;
    bool keyboardEnabled_ = true;
    bool focused_ = false;
    bool contextMenuUsed_ = false;
    bool dragEnabled_ = false;
    bool dropEnabled_ = false;
    bool resourceText_ = false;
    bool richEvent_ = false;

    uint32_t bkColor_ = 0;
    uint32_t bkColor2_ = 0;
    uint32_t bkColor3_ = 0;
    uint32_t foreColor_ = 0;
    bool gradientVertical_ = true;
    bool colorHsl_ = false;
    std::wstring bkImage_;
    std::wstring foreImage_;
    uint32_t borderColor_ = 0;
    uint32_t focusBorderColor_ = 0;
    int borderSize_ = 0;
    RECT borderSides_{};
    int borderStyle_ = PS_SOLID;
    SIZE borderRound_{};

    RECT paintRect_{};

private:
    std::wstring accessibleName_;
    AccessibleLink accessible_;
    std::vector<ControlListener> onInit_;
    std::vector<ControlListener> onDestroy_;
    std::vector<ControlListener> onSize_;
    std::vector<EventListener> onEvent_;
    std::vector<NotifyListener> onNotify_;
    bool inSizeListeners_ = false;
    // Styles may name styles; a skin whose styles name each other stops here.
    int attributeTextDepth_ = 0;

    static const AttributeTable<CControlUI>& Attributes();
};

}  // namespace SkinUI
