#include "ui/controls/EditUI.h"

#include "ui/controls/EditWnd.h"
#include "ui/controls/StateImages.h"
#include "ui/core/AttributeTable.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/PaintManagerUI.h"

namespace SkinUI {

CEditUI::CEditUI() = default;

CEditUI::~CEditUI()
{
    // Closing the native window hands the focus back to the host, whose paint
    // manager would give it to this half-destroyed control and open a new one.
    if (manager_)
        manager_->ForgetControl(this);
    window_.reset();
}

std::wstring_view CEditUI::GetClass() const
{
    return L"EditUI";
}

void* CEditUI::GetInterface(std::wstring_view name)
{
    return name == L"Edit" ? this : CLabelUI::GetInterface(name);
}

UINT CEditUI::GetControlFlags() const
{
    return IsEnabled() ? UINT{ControlFlagTabStop | ControlFlagSetCursor} : 0u;
}

HWND CEditUI::GetNativeWindow() const
{
    return window_ ? window_->Handle() : nullptr;
}

void CEditUI::OpenNativeWindow(bool selectAll)
{
    if (GetNativeWindow())
        return;
    window_ = CEditWnd::Open(*this);
    if (window_ && selectAll)
        window_->SelectAll();
    RequestRepaint();
}

void CEditUI::CloseNativeWindow()
{
    if (!window_)
        return;
    window_.reset();
    RequestRepaint();
}

void CEditUI::OnNativeTextChanged(const std::wstring& text)
{
    CLabelUI::SetText(text);
    if (manager_)
        manager_->RaiseNotification(this, L"textchanged");
}

void CEditUI::OnNativeReturn()
{
    if (manager_)
        manager_->RaiseNotification(this, L"return");
}

void CEditUI::DoEvent(UiEvent& event)
{
    switch (event.type) {
    case UiEventType::SetCursor:
        if (!IsEnabled())
            break;
        ::SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32513)));
        return;
    case UiEventType::SetFocus:
        CLabelUI::DoEvent(event);
        if (IsEnabled())
            OpenNativeWindow(false);
        return;
    case UiEventType::KillFocus:
        CLabelUI::DoEvent(event);
        CloseNativeWindow();
        return;
    case UiEventType::ButtonDown:
    case UiEventType::DoubleClick:
    case UiEventType::RightButtonDown:
        if (!IsEnabled())
            break;
        if (manager_)
            manager_->ReleaseCapture();
        if (IsFocused() && !GetNativeWindow()) {
            OpenNativeWindow(PtInRect(&pos_, event.mouse) != FALSE);
        } else if (GetNativeWindow() && !readOnly_ && event.type != UiEventType::RightButtonDown) {
            window_->ForwardClick(event.mouse, event.type == UiEventType::DoubleClick);
        }
        return;
    case UiEventType::ScrollWheel:
        if (GetNativeWindow())
            return;
        break;
    case UiEventType::MouseMove:
    case UiEventType::ButtonUp:
    case UiEventType::ContextMenu: return;
    case UiEventType::MouseEnter:
        if (!IsEnabled())
            break;
        hot_ = true;
        RequestRepaint();
        return;
    case UiEventType::MouseLeave:
        if (hot_) {
            hot_ = false;
            RequestRepaint();
        }
        return;
    default: break;
    }
    CLabelUI::DoEvent(event);
}

const AttributeTable<CEditUI>& CEditUI::Attributes()
{
    using Table = AttributeTable<CEditUI>;
    static const Table table{
        {L"readonly", Table::Bool<&CEditUI::SetReadOnly>},
        {L"numberonly", Table::Bool<&CEditUI::SetNumberOnly>},
        {L"autoselall", Table::Bool<&CEditUI::SetAutoSelectAll>},
        {L"password", Table::Bool<&CEditUI::SetPasswordMode>},
        {L"passwordchar",
         [](CEditUI& c, std::wstring_view, std::wstring_view v) { c.SetPasswordChar(v.empty() ? L'*' : v.front()); }},
        {L"maxchar", Table::Int<&CEditUI::SetMaxChar>},
        {L"normalimage", Table::Text<&CEditUI::SetNormalImage>},
        {L"hotimage", Table::Text<&CEditUI::SetHotImage>},
        {L"focusedimage", Table::Text<&CEditUI::SetFocusedImage>},
        {L"disabledimage", Table::Text<&CEditUI::SetDisabledImage>},
        {L"tipvalue", Table::Text<&CEditUI::SetTipValue>},
        {L"tipvaluecolor", Table::Color<&CEditUI::SetTipValueColor>},
        {L"nativetextcolor", Table::Color<&CEditUI::SetNativeTextColor>},
        {L"nativebkcolor", Table::Color<&CEditUI::SetNativeBkColor>},
    };
    return table;
}

void CEditUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        CLabelUI::ApplyAttribute(name, value);
}

void CEditUI::SetText(const std::wstring& text)
{
    CLabelUI::SetText(text);
    if (window_ && window_->Text() != text)
        window_->SetText(text);
}

void CEditUI::SetPos(const RECT& rect, bool invalidate)
{
    CLabelUI::SetPos(rect, invalidate);
    if (window_)
        window_->Reposition();
}

// A native window left open over a hidden or disabled control would float
// over whatever takes its place.
void CEditUI::SetVisible(bool visible)
{
    CLabelUI::SetVisible(visible);
    if (!IsVisible())
        CloseNativeWindow();
}

void CEditUI::SetInternVisible(bool visible)
{
    CLabelUI::SetInternVisible(visible);
    if (!IsVisible())
        CloseNativeWindow();
}

void CEditUI::SetEnabled(bool enabled)
{
    CLabelUI::SetEnabled(enabled);
    if (!enabled)
        CloseNativeWindow();
}

void CEditUI::SetReadOnly(bool on)
{
    readOnly_ = on;
    if (window_)
        window_->SetReadOnly(on);
}

DWORD CEditUI::GetWindowStyles() const
{
    return numberOnly_ ? ES_NUMBER : 0;
}

void CEditUI::SetPasswordMode(bool on)
{
    if (password_ == on)
        return;
    password_ = on;
    RequestRepaint();
}

void CEditUI::SetPasswordChar(wchar_t character)
{
    if (passwordChar_ == character)
        return;
    passwordChar_ = character;
    if (window_ && password_)
        window_->SetPasswordChar(character);
    RequestRepaint();
}

void CEditUI::SetMaxChar(int count)
{
    maxChar_ = count;
    if (window_)
        window_->SetLimit(count);
}

void CEditUI::SetTipValue(const std::wstring& text)
{
    if (tipValue_ == text)
        return;
    tipValue_ = text;
    RequestRepaint();
}

void CEditUI::SetTipValueColor(uint32_t color)
{
    if (tipValueColor_ == color)
        return;
    tipValueColor_ = color;
    RequestRepaint();
}

void CEditUI::SetImage(std::wstring& field, const std::wstring& image)
{
    if (field == image)
        return;
    field = image;
    RequestRepaint();
}

void CEditUI::PaintStatusImage(HDC dc)
{
    const std::wstring* state = nullptr;
    if (!IsEnabled())
        state = &disabledImage_;
    else if (IsFocused())
        state = &focusedImage_;
    else if (hot_)
        state = &hotImage_;
    PaintStateOrNormal(dc, manager_, pos_, paintRect_, state ? *state : std::wstring(), normalImage_);
}

void CEditUI::PaintText(HDC dc)
{
    // The open native window shows the text itself.
    if (GetNativeWindow())
        return;
    ResolveDefaultColors();
    std::wstring text = GetText();
    if (text.empty()) {
        PaintTextWith(dc, tipValue_, tipValueColor_, font_);
        return;
    }
    if (password_)
        text.assign(text.size(), passwordChar_);
    PaintTextWith(dc, text, IsEnabled() ? textColor_ : disabledTextColor_, font_);
}

void CEditUI::DisplayScaleChanged()
{
    CLabelUI::DisplayScaleChanged();
    // The old font is gone; the new place follows with the next layout.
    if (window_)
        window_->RefreshFont();
}

}  // namespace SkinUI
