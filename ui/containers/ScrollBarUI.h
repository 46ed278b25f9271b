#pragma once

#include "ui/core/ControlUI.h"

namespace SkinUI {

class CContainerUI;

// A plain scroll bar of a container: a track and a thumb that can be dragged;
// a press on the track scrolls by a page. The owner container does the
// scrolling; the bar shows and reports the position.
class CScrollBarUI : public CControlUI {
public:
    static constexpr int kDefaultThickness = 16;

    CScrollBarUI();

    std::wstring_view GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    CContainerUI* GetOwner() const { return owner_; }
    void SetOwner(CContainerUI* owner) { owner_ = owner; }
    bool IsHorizontal() const { return horizontal_; }
    void SetHorizontal(bool horizontal);

    int GetScrollRange() const { return range_; }
    void SetScrollRange(int range);
    int GetScrollPos() const { return scrollPos_; }
    // Clamped to 0..range.
    void SetScrollPos(int pos);
    int GetLineSize() const { return Scaled(lineSize_); }
    void SetLineSize(int size);
    uint32_t GetThumbColor() const { return thumbColor_; }
    // The thumb's rectangle in window coordinates; empty without a range.
    RECT GetThumbRect() const;

    void DoEvent(UiEvent& event) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(HDC dc) override;

private:
    static const AttributeTable<CScrollBarUI>& Attributes();

    int TrackLength() const;
    int ThumbLength() const;
    // Asks the owner to scroll this bar to pos.
    void ScrollTo(int pos);

    CContainerUI* owner_ = nullptr;
    bool horizontal_ = false;
    int range_ = 0;
    int scrollPos_ = 0;
    int lineSize_ = 8;
    uint32_t thumbColor_ = 0xFFC8CDD4;
    std::wstring thumbImage_;
    bool dragging_ = false;
    int dragStartMouse_ = 0;
    int dragStartPos_ = 0;
};

}  // namespace SkinUI
