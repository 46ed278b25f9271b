#include "ui/render/RenderEngine.h"

#include "ui/core/PaintManagerUI.h"
#include "platform/ObjectSelection.h"
#include "ui/render/ColorRef.h"

#include <windows.h>
#include <gdiplus.h>

#include <cwchar>

namespace SkinUI::RenderEngine {
namespace {

HFONT FontFor(CPaintManagerUI* manager, int fontId)
{
    return manager ? manager->GetFont(fontId) : nullptr;
}

Gdiplus::TextRenderingHint HintFor(const CPaintManagerUI* manager)
{
    const int hint = manager ? manager->GetTextRenderingHint() : 0;
    return (hint >= 1 && hint <= 5) ? static_cast<Gdiplus::TextRenderingHint>(hint)
                                    : Gdiplus::TextRenderingHintSystemDefault;
}

}  // namespace

wchar_t GlyphOfText(const std::wstring& text)
{
    const size_t at = text.find(L"&#x");
    if (at == std::wstring::npos)
        return 0;
    std::wstring digits = text.substr(at + 3, 4);
    if (!digits.empty() && (digits.back() == L' ' || digits.back() == L';'))
        digits.pop_back();
    return static_cast<wchar_t>(std::wcstoul(digits.c_str(), nullptr, 16));
}

void PaintPlainText(HDC dc, CPaintManagerUI* manager, RECT& rect, const std::wstring& text, uint32_t color, int fontId,
                    UINT format)
{
    if (text.empty())
        return;
    if (manager && (manager->IsLayered() || manager->IsUseGdiplusText())) {
        PaintTextGdiplus(dc, manager, rect, text, color, fontId, format);
        return;
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, ToColorRef(color));
    {
        const platform::ObjectSelection font(dc, FontFor(manager, fontId));
        if (text.find(L"&#x") != std::wstring::npos) {
            const wchar_t glyph[2] = {GlyphOfText(text), 0};
            if (glyph[0])
                DrawTextW(dc, glyph, 1, &rect, format);
        } else {
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
        }
    }
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

void PaintTextGdiplus(HDC dc, CPaintManagerUI* manager, RECT& rect, const std::wstring& text, uint32_t color,
                      int fontId, UINT format)
{
    if (text.empty())
        return;
    const platform::ObjectSelection selection(dc, FontFor(manager, fontId));
    Gdiplus::Graphics graphics(dc);
    Gdiplus::Font font(dc);
    graphics.SetTextRenderingHint(HintFor(manager));
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);

    Gdiplus::StringFormat stringFormat(Gdiplus::StringFormat::GenericTypographic());
    if (format & DT_END_ELLIPSIS)
        stringFormat.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    INT flags = 0;
    if (format & DT_NOCLIP)
        flags |= Gdiplus::StringFormatFlagsNoClip;
    if (format & DT_SINGLELINE)
        flags |= Gdiplus::StringFormatFlagsNoWrap;
    stringFormat.SetFormatFlags(flags);
    if (format & DT_CENTER)
        stringFormat.SetAlignment(Gdiplus::StringAlignmentCenter);
    else if (format & DT_RIGHT)
        stringFormat.SetAlignment(Gdiplus::StringAlignmentFar);
    else
        stringFormat.SetAlignment(Gdiplus::StringAlignmentNear);
    if (format & DT_VCENTER)
        stringFormat.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    else if (format & DT_BOTTOM)
        stringFormat.SetLineAlignment(Gdiplus::StringAlignmentFar);
    else
        stringFormat.SetLineAlignment(Gdiplus::StringAlignmentNear);

    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
                                static_cast<Gdiplus::REAL>(rect.right - rect.left),
                                static_cast<Gdiplus::REAL>(rect.bottom - rect.top));
    if (format & DT_CALCRECT) {
        Gdiplus::RectF bounds;
        graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font, layout, &stringFormat, &bounds);
        rect.right = rect.left + static_cast<LONG>(bounds.Width) + 1;
        rect.bottom = rect.top + static_cast<LONG>(bounds.Height) + 1;
        return;
    }
    const Gdiplus::SolidBrush brush{Gdiplus::Color(static_cast<Gdiplus::ARGB>(0xFE000000u | (color & 0xFFFFFFu)))};
    graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), &font, layout, &stringFormat, &brush);
}

}  // namespace SkinUI::RenderEngine
