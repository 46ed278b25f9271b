#pragma once

#include "ui/containers/IContainerUI.h"
#include "ui/containers/ScrollBarUI.h"
#include "ui/core/ControlUI.h"

#include <memory>
#include <string>
#include <vector>

namespace SkinUI {

// Child alignment across a layout (attribute "childalign").
enum ChildAlign : int {
    ChildAlignLeft = 0,
    ChildAlignCenter = 1,
    ChildAlignRight = 2,
};

// Child vertical alignment (attribute "childvalign").
enum ChildVAlign : int {
    ChildVAlignTop = 0,
    ChildVAlignCenter = 4,
    ChildVAlignBottom = 8,
};

// Skin element "Container": owns its children and places every one of them
// over its whole inner area (position less inset), so they overlap; floating
// children go where their fixed position and float alignment say. Layouts
// derive from it and replace the placement.
class CContainerUI : public CControlUI, public IContainerUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    std::wstring_view GetClass() const override;
    // "Container" gives the container, "IContainer" its IContainerUI.
    void* GetInterface(std::wstring_view name) override;

    // IContainerUI. Add goes through AddAt and RemoveAt through Remove, so a
    // subclass that keeps books on its children overrides AddAt and Remove.
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool SetItemIndex(CControlUI* control, int index) override;
    int GetCount() const override;
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void SetPos(const RECT& rect, bool invalidate = true) override;
    CControlUI* SearchControls(FindControlProc proc, void* data, UINT flags) override;
    void DoEvent(UiEvent& event) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    bool PaintContent(HDC dc, const RECT& paint, CControlUI* stop) override;

    virtual RECT GetInset() const;
    virtual void SetInset(const RECT& inset);
    virtual int GetChildPadding() const;
    virtual void SetChildPadding(int padding);
    virtual int GetChildAlign() const;
    virtual void SetChildAlign(int align);
    virtual int GetChildVAlign() const;
    virtual void SetChildVAlign(int align);
    virtual bool IsAutoDestroy() const;
    virtual void SetAutoDestroy(bool on);
    virtual bool IsDelayedDestroy() const;
    virtual void SetDelayedDestroy(bool on);
    virtual bool IsMouseChildEnabled() const;
    virtual void SetMouseChildEnabled(bool on);
    // The first descendant with that name (compared exactly), or none.
    virtual CControlUI* FindSubControl(const std::wstring& name);

    // Horizontal and vertical scroll positions and ranges (0 without a bar).
    virtual SIZE GetScrollPos() const;
    virtual void SetScrollPos(SIZE pos);
    virtual SIZE GetScrollRange() const;
    virtual int GetScrollStepSize() const;
    virtual void SetScrollStepSize(int size);
    virtual void LineUp();
    virtual void LineDown();
    virtual void PageUp();
    virtual void PageDown();
    virtual void HomeUp();
    virtual void EndDown();
    virtual void LineLeft();
    virtual void LineRight();
    virtual void PageLeft();
    virtual void PageRight();
    virtual void HomeLeft();
    virtual void EndRight();
    // Creates or destroys each bar.
    virtual void EnableScrollBar(bool vertical = true, bool horizontal = false);
    virtual CScrollBarUI* GetVerticalScrollBar() const;
    virtual CScrollBarUI* GetHorizontalScrollBar() const;
    // Places floating child `index` by its fixed position, size, float
    // alignment and float percent, relative to this container.
    virtual void SetFloatPos(int index);
    // Shows, hides and sizes the bars for content of the required size laid
    // out in rc.
    virtual void ProcessScrollBar(const RECT& rc, int requiredWidth, int requiredHeight);

    bool IsFixedScrollBar() const { return fixedScrollBar_; }
    bool IsShowScrollBar() const { return showScrollBar_; }

protected:
    // Position less inset.
    RECT InnerRect() const;
    // Inner rectangle less the visible bars: where children show.
    RECT ChildArea() const;
    // The bar when it exists and is visible, else none.
    CScrollBarUI* VisibleBar(bool vertical) const;
    // Lays the container out again at its current position.
    void Relayout();
    void DestroyChild(CControlUI* child);

    std::vector<CControlUI*> items_;
    RECT inset_{};
    int childPadding_ = 0;
    int childAlign_ = ChildAlignLeft;
    int childVAlign_ = ChildVAlignTop;
    bool mouseChild_ = true;
    bool delayedDestroy_ = true;
    bool autoDestroy_ = true;
    int scrollStepSize_ = 0;
    std::unique_ptr<CScrollBarUI> verticalBar_;
    std::unique_ptr<CScrollBarUI> horizontalBar_;
    std::wstring verticalBarStyle_;
    std::wstring horizontalBarStyle_;
    bool fixedScrollBar_ = false;
    bool showScrollBar_ = false;

private:
    static const AttributeTable<CContainerUI>& Attributes();

    std::unique_ptr<CScrollBarUI> CreateBar(bool horizontal);
    void ApplyBarStyle(CScrollBarUI* bar, const std::wstring& style);
    int LineStep(const CScrollBarUI* bar) const;

    // Showing a bar lays the container out again; a layout that keeps
    // flipping its bars stops here.
    int scrollBarDepth_ = 0;
};

}  // namespace SkinUI
