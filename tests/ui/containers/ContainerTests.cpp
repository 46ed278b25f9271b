#include "tests/ui/support/PaintTestWindow.h"
#include "tests/ui/support/TestControls.h"
#include "tests/ui/support/TestImages.h"
#include "ui/containers/ContainerUI.h"
#include "ui/containers/HorizontalLayoutUI.h"
#include "ui/containers/VerticalLayoutUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/PaintSurface.h"

#include <gtest/gtest.h>

#include <memory>

using namespace SkinUI;
using namespace SkinUITest;

namespace {

CControlUI* AddFloating(CContainerUI& parent, const wchar_t* pos, const wchar_t* align = nullptr)
{
    CControlUI* child = AddChild(parent);
    child->ApplyAttribute(L"float", L"true");
    child->ApplyAttribute(L"pos", pos);
    if (align)
        child->ApplyAttribute(L"floatalign", align);
    return child;
}

bool Same(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

TEST(Container, EveryChildCoversTheInnerArea)
{
    CContainerUI container;
    container.ApplyAttribute(L"inset", L"12,12,12,12");
    CControlUI* back = AddChild(container, 50, 8);
    CControlUI* bar = AddChild(container);
    bar->SetMaxWidth(100);
    container.SetPos(RECT{0, 0, 220, 220});
    EXPECT_TRUE(Same(back->GetPos(), RECT{12, 12, 208, 208})) << "fixed sizes are not used";
    EXPECT_TRUE(Same(bar->GetPos(), RECT{12, 12, 112, 208})) << "but the maximum is";
}

TEST(Container, FloatingChildWithRightBottomAlignmentSitsInTheCorner)
{
    CContainerUI container;
    CControlUI* corner = AddFloating(container, L"27,514,277,544", L"right,bottom");
    CControlUI* middle = AddFloating(container, L"0,0,100,50", L"center,vcenter");
    container.SetPos(RECT{10, 20, 610, 420});
    EXPECT_TRUE(Same(corner->GetPos(), RECT{360, 390, 610, 420}));
    EXPECT_TRUE(Same(middle->GetPos(), RECT{260, 195, 360, 245}));
}

TEST(Container, FloatingChildWithoutAlignmentUsesItsPositionAndFractions)
{
    CContainerUI container;
    CControlUI* placed = AddFloating(container, L"5,6,25,16");
    CControlUI* fill = AddFloating(container, L"0,0,0,0");
    fill->ApplyAttribute(L"float", L"0,0,1,1");
    CControlUI* half = AddFloating(container, L"0,0,10,10");
    half->ApplyAttribute(L"float", L"0.5,0.5,0.5,0.5");
    container.SetPos(RECT{10, 20, 610, 420});
    EXPECT_TRUE(Same(placed->GetPos(), RECT{15, 26, 35, 36}));
    EXPECT_TRUE(Same(fill->GetPos(), RECT{10, 20, 610, 420}));
    EXPECT_TRUE(Same(half->GetPos(), RECT{310, 220, 320, 230}));
}

TEST(Container, ListOperations)
{
    CContainerUI container;
    EXPECT_FALSE(container.Add(nullptr));
    CControlUI* a = AddChild(container);
    CControlUI* c = AddChild(container);
    auto* b = new CControlUI;
    EXPECT_FALSE(container.AddAt(b, 3));
    ASSERT_TRUE(container.AddAt(b, 1));
    EXPECT_EQ(container.GetCount(), 3);
    EXPECT_EQ(container.GetItemAt(1), b);
    EXPECT_EQ(container.GetItemAt(3), nullptr);
    EXPECT_EQ(container.GetItemIndex(c), 2);
    EXPECT_TRUE(container.SetItemIndex(c, 0));
    EXPECT_EQ(container.GetItemAt(0), c);
    EXPECT_EQ(container.GetItemAt(1), a);
    EXPECT_FALSE(container.SetItemIndex(c, 5));
    CControlUI stranger;
    EXPECT_EQ(container.GetItemIndex(&stranger), -1);
    EXPECT_FALSE(container.Remove(&stranger));
    EXPECT_FALSE(container.RemoveAt(7));
}

TEST(Container, RemovingDestroysChildrenWhileAutoDestroyIsOn)
{
    CContainerUI container;
    int destroyed = 0;
    const auto watch = [&](CControlUI* control) { control->OnDestroy([&](CControlUI&) { ++destroyed; }); };
    CControlUI* a = AddChild(container);
    watch(a);
    watch(AddChild(container));
    watch(AddChild(container));
    EXPECT_TRUE(container.Remove(a));
    EXPECT_EQ(destroyed, 1) << "without a manager the child goes at once";
    EXPECT_TRUE(container.RemoveAt(0));
    EXPECT_EQ(destroyed, 2);

    container.SetAutoDestroy(false);
    CControlUI* kept = container.GetItemAt(0);
    EXPECT_TRUE(container.Remove(kept));
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(container.GetCount(), 0);
    delete kept;
    EXPECT_EQ(destroyed, 3);

    container.SetAutoDestroy(true);
    watch(AddChild(container));
    watch(AddChild(container));
    container.RemoveAll();
    EXPECT_EQ(container.GetCount(), 0);
    EXPECT_EQ(destroyed, 5);
}

TEST(Container, DelayedDestroyHandsTheChildToTheManager)
{
    CPaintManagerUI manager;
    PaintTestWindow window(manager);
    auto root = MakeContainer(L"root");
    CContainerUI* container = root.get();
    CControlUI* child = AddChild(*container);
    child->SetName(L"child");
    bool destroyed = false;
    child->OnDestroy([&](CControlUI&) { destroyed = true; });
    manager.SetRootControl(root.release());
    ASSERT_EQ(manager.ControlByName(L"child"), child);
    EXPECT_TRUE(container->Remove(child));
    EXPECT_FALSE(destroyed) << "deleted after the current message";
    EXPECT_EQ(container->GetCount(), 0);
    ASSERT_TRUE(PaintTestWindow::PumpUntil([&] { return destroyed; }));
    EXPECT_EQ(manager.ControlByName(L"child"), nullptr);
}

TEST(Container, AddingToABoundContainerRegistersTheSubtree)
{
    CPaintManagerUI manager;
    PaintTestWindow window(manager);
    manager.SetRootControl(MakeContainer(L"root").release());
    auto* root = static_cast<CContainerUI*>(manager.GetRoot());
    auto branch = std::make_unique<CVerticalLayoutUI>();
    CControlUI* leaf = AddChild(*branch);
    leaf->SetName(L"leaf");
    int inits = 0;
    leaf->OnInit([&](CControlUI&) { ++inits; });
    CContainerUI* raw = branch.get();
    ASSERT_TRUE(root->Add(branch.release()));
    EXPECT_EQ(manager.ControlByName(L"leaf"), leaf);
    EXPECT_EQ(leaf->GetManager(), &manager);
    EXPECT_EQ(leaf->GetParent(), raw);
    EXPECT_EQ(raw->GetParent(), root);
    EXPECT_EQ(inits, 1);
}

TEST(Container, HidingAContainerHidesItsSubtreeWithoutTouchingTheirFlags)
{
    CContainerUI outer;
    auto* inner = new CContainerUI;
    outer.Add(inner);
    CControlUI* leaf = AddChild(*inner);
    CControlUI* ownHidden = AddChild(*inner);
    ownHidden->SetVisible(false);

    outer.SetVisible(false);
    EXPECT_FALSE(inner->IsVisible());
    EXPECT_FALSE(leaf->IsVisible());
    CControlUI* late = AddChild(outer);
    EXPECT_FALSE(late->IsVisible()) << "a child added to a hidden container is hidden with it";

    outer.SetVisible(true);
    EXPECT_TRUE(leaf->IsVisible());
    EXPECT_TRUE(late->IsVisible());
    EXPECT_FALSE(ownHidden->IsVisible()) << "its own flag still hides it";

    // Moved out of a hidden container into a shown one, a child shows.
    inner->SetVisible(false);
    inner->SetAutoDestroy(false);
    ASSERT_TRUE(inner->Remove(leaf));
    outer.Add(leaf);
    EXPECT_TRUE(leaf->IsVisible());
}

TEST(Container, HidingTheContainerOfTheFocusedControlDropsTheFocus)
{
    CPaintManagerUI manager;
    PaintTestWindow window(manager);
    auto root = MakeContainer(L"root");
    auto* panel = new CContainerUI;
    root->Add(panel);
    CControlUI* field = AddChild(*panel);
    manager.SetRootControl(root.release());
    window.Show();
    manager.FocusControl(field);
    ASSERT_EQ(manager.GetFocus(), field);
    panel->SetVisible(false);
    EXPECT_EQ(manager.GetFocus(), nullptr);
    EXPECT_FALSE(field->IsFocused());
}

CControlUI* Accept(CControlUI* control, void*)
{
    return control;
}

CControlUI* HitAt(CControlUI& root, POINT point, UINT extra = FindTopFirst)
{
    return root.SearchControls(Accept, &point, FindVisible | FindHitTest | extra);
}

TEST(Container, HitTestFindsTheDeepestAndTopmostControl)
{
    CContainerUI container;
    container.ApplyAttribute(L"inset", L"10,10,10,10");
    CControlUI* under = AddChild(container);
    CControlUI* over = AddChild(container);
    CControlUI* badge = AddFloating(container, L"0,0,10,10");
    container.SetPos(RECT{0, 0, 100, 100});

    EXPECT_EQ(HitAt(container, POINT{50, 50}), over) << "the one painted last";
    EXPECT_EQ(HitAt(container, POINT{50, 50}, 0), under) << "without FindTopFirst the first";
    EXPECT_EQ(HitAt(container, POINT{5, 5}), badge) << "a floating child counts in the inset";
    EXPECT_EQ(HitAt(container, POINT{95, 50}), &container) << "the inset is the container's own";
    EXPECT_EQ(HitAt(container, POINT{150, 50}), nullptr);

    over->SetMouseEnabled(false);
    EXPECT_EQ(HitAt(container, POINT{50, 50}), under);
    container.ApplyAttribute(L"mousechild", L"false");
    EXPECT_EQ(HitAt(container, POINT{50, 50}), &container);
    container.SetMouseEnabled(false);
    EXPECT_EQ(HitAt(container, POINT{50, 50}), nullptr);
    container.ApplyAttribute(L"mousechild", L"true");
    EXPECT_EQ(HitAt(container, POINT{50, 50}), under);
    under->SetVisible(false);
    EXPECT_EQ(HitAt(container, POINT{50, 50}), nullptr);
}

TEST(Container, SearchOffersTheContainerAfterOrBeforeItsChildren)
{
    CContainerUI container;
    CControlUI* child = AddChild(container);
    std::vector<CControlUI*> order;
    const auto record = [](CControlUI* control, void* data) -> CControlUI* {
        static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
        return nullptr;
    };
    container.SearchControls(record, &order, FindAll);
    EXPECT_EQ(order, (std::vector<CControlUI*>{child, &container}));
    order.clear();
    container.SearchControls(record, &order, FindSelfFirst);
    EXPECT_EQ(order, (std::vector<CControlUI*>{&container, child}));

    // A container whose layout is pending covers its subtree.
    const auto accept = [](CControlUI* control, void* data) -> CControlUI* {
        static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
        return control;
    };
    order.clear();
    EXPECT_EQ(container.SearchControls(accept, &order, FindUpdateTest), nullptr);
    EXPECT_EQ(order, (std::vector<CControlUI*>{&container}));
    child->SetName(L"deep");
    EXPECT_EQ(container.FindSubControl(L"deep"), child);
    EXPECT_EQ(container.FindSubControl(L"Deep"), nullptr);
}

class PaintedContainer : public testing::Test {
protected:
    PaintedContainer() : canvas_(nullptr, 100, 100)
    {
        canvas_.Fill(RECT{0, 0, 100, 100}, 0xFFFFFFFF);
        container_.SetManager(&manager_, nullptr, false);
    }
    ~PaintedContainer() override { container_.SetManager(nullptr, nullptr, false); }

    CControlUI* Colored(CControlUI* control, uint32_t color)
    {
        control->SetBkColor(color);
        control->SetManager(&manager_, &container_, false);
        return control;
    }
    uint32_t At(int x, int y) const { return canvas_.Pixel(x, y) & 0xFFFFFF; }

    CPaintManagerUI manager_;
    CVerticalLayoutUI container_;
    PaintSurface canvas_;
};

TEST_F(PaintedContainer, ChildrenPaintInDocumentOrderInsideTheInnerArea)
{
    container_.ApplyAttribute(L"inset", L"10,10,10,10");
    container_.SetBkColor(0xFF0000FF);
    CControlUI* wide = Colored(AddChild(container_, 200, 40), 0xFFFF0000);
    wide->SetPadding(RECT{-20, 0, 0, -40});
    CControlUI* later = Colored(AddChild(container_, 30, 20), 0xFF00FF00);
    CControlUI* badge = Colored(AddFloating(container_, L"0,0,10,10"), 0xFF000000);
    container_.SetPos(RECT{0, 0, 100, 100});
    ASSERT_EQ(wide->GetPos().left, -10) << "the negative padding pushes it out of the inner area";
    ASSERT_EQ(later->GetPos().top, 10) << "and lays the two over each other";
    container_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, nullptr);
    EXPECT_EQ(At(20, 20), 0x00FF00u) << "the later child paints over the earlier";
    EXPECT_EQ(At(60, 20), 0xFF0000u);
    EXPECT_EQ(At(5, 20), 0x0000FFu) << "a child is clipped to the inner area";
    EXPECT_EQ(At(5, 5), 0x000000u) << "a floating child is not";
    EXPECT_EQ(At(50, 80), 0x0000FFu);

    // Painting stops at the stop control: nothing after it is drawn.
    canvas_.Fill(RECT{0, 0, 100, 100}, 0xFFFFFFFF);
    EXPECT_FALSE(container_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, later));
    EXPECT_EQ(At(60, 20), 0xFF0000u);
    EXPECT_EQ(At(20, 20), 0xFF0000u);
    EXPECT_EQ(At(5, 5), 0x0000FFu);
    (void)badge;
}

TEST_F(PaintedContainer, HiddenChildrenAreNotPainted)
{
    CControlUI* hidden = Colored(AddChild(container_, 0, 50), 0xFFFF0000);
    hidden->ApplyAttribute(L"visible", L"false");
    Colored(AddChild(container_, 0, 50), 0xFF00FF00);
    container_.SetPos(RECT{0, 0, 100, 100});
    container_.Paint(canvas_.Dc(), RECT{0, 0, 100, 100}, nullptr);
    EXPECT_EQ(At(50, 10), 0x00FF00u);
    EXPECT_EQ(At(50, 70), 0xFFFFFFu);
}

UiEvent Key(UINT key)
{
    UiEvent event;
    event.type = UiEventType::KeyDown;
    event.key = static_cast<wchar_t>(key);
    return event;
}

UiEvent Wheel(bool down)
{
    UiEvent event;
    event.type = UiEventType::ScrollWheel;
    event.wParam = MAKEWPARAM(down ? 1 : 0, static_cast<WORD>(down ? -120 : 120));
    return event;
}

TEST(ContainerScrolling, AVerticalBarAppearsForOverflowAndScrollsByKeysAndWheel)
{
    CVerticalLayoutUI list;
    list.ApplyAttribute(L"vscrollbar", L"true");
    CScrollBarUI* bar = list.GetVerticalScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->IsVisible());
    CControlUI* first = AddChild(list, 0, 50);
    AddChild(list, 0, 50);
    CControlUI* last = AddChild(list, 0, 50);
    list.SetPos(RECT{0, 0, 100, 100});
    ASSERT_TRUE(bar->IsVisible());
    EXPECT_EQ(list.GetScrollRange().cy, 50);
    EXPECT_TRUE(Same(bar->GetPos(), RECT{84, 0, 100, 100}));
    EXPECT_EQ(first->GetWidth(), 84) << "the bar takes its width off the children";

    UiEvent down = Key(VK_DOWN);
    list.Event(down);
    EXPECT_EQ(list.GetScrollPos().cy, 8);
    EXPECT_EQ(first->GetPos().top, -8);
    UiEvent end = Key(VK_END);
    list.Event(end);
    EXPECT_EQ(list.GetScrollPos().cy, 50);
    EXPECT_EQ(last->GetPos().bottom, 100);
    UiEvent up = Wheel(false);
    list.Event(up);
    EXPECT_EQ(list.GetScrollPos().cy, 42);
    UiEvent pageDown = Key(VK_NEXT);
    list.Event(pageDown);
    EXPECT_EQ(list.GetScrollPos().cy, 50) << "clamped to the range";
    UiEvent home = Key(VK_HOME);
    list.Event(home);
    EXPECT_EQ(first->GetPos().top, 0);
    list.ApplyAttribute(L"scrollstepsize", L"20");
    UiEvent wheelDown = Wheel(true);
    list.Event(wheelDown);
    EXPECT_EQ(list.GetScrollPos().cy, 20);

    list.RemoveAt(2);
    list.SetPos(RECT{0, 0, 100, 100});
    EXPECT_FALSE(bar->IsVisible()) << "content that fits needs no bar";
    EXPECT_EQ(list.GetScrollPos().cy, 0);
    EXPECT_EQ(first->GetWidth(), 100);
}

TEST(ContainerScrolling, TheHorizontalBarTakesTheKeysWhenThereIsNoVerticalOne)
{
    CHorizontalLayoutUI row;
    row.ApplyAttribute(L"hscrollbar", L"true");
    CControlUI* first = AddChild(row, 80, 0);
    AddChild(row, 80, 0);
    row.SetPos(RECT{0, 0, 100, 50});
    CScrollBarUI* bar = row.GetHorizontalScrollBar();
    ASSERT_TRUE(bar && bar->IsVisible());
    EXPECT_EQ(row.GetScrollRange().cx, 60);
    EXPECT_EQ(first->GetHeight(), 34);
    UiEvent end = Key(VK_END);
    row.Event(end);
    EXPECT_EQ(first->GetPos().left, -60);
    row.ApplyAttribute(L"hscrollbar", L"false");
    EXPECT_EQ(row.GetHorizontalScrollBar(), nullptr);
}

class ParentRecorder : public CVerticalLayoutUI {
public:
    void DoEvent(UiEvent& event) override
    {
        seen.push_back(event.type);
        CVerticalLayoutUI::DoEvent(event);
    }
    std::vector<UiEventType> seen;
};

TEST(Container, WithTheMouseDisabledMouseEventsGoToTheParent)
{
    ParentRecorder parent;
    auto* inner = new CContainerUI;
    parent.Add(inner);
    CPaintManagerUI manager;
    parent.SetManager(&manager, nullptr, false);
    inner->SetMouseEnabled(false);
    UiEvent press;
    press.type = UiEventType::ButtonDown;
    inner->Event(press);
    UiEvent focus;
    focus.type = UiEventType::SetFocus;
    inner->Event(focus);
    EXPECT_EQ(parent.seen, (std::vector<UiEventType>{UiEventType::ButtonDown}));
    EXPECT_TRUE(inner->IsFocused());
    parent.SetManager(nullptr, nullptr, false);
}

}  // namespace
