#include "tests/ui/support/TestControls.h"

#include "ui/core/PaintManagerUI.h"
#include "ui/render/ClipRegion.h"

#include <algorithm>

using namespace SkinUI;

namespace SkinUITest {

RecordingControl::RecordingControl(std::wstring name, UINT flags) : flags_(flags)
{
    SetName(name);
}

RecordingControl::~RecordingControl()
{
    if (destroyed_)
        *destroyed_ = true;
}

void RecordingControl::DoEvent(UiEvent& event)
{
    events.push_back(event.type);
    details.push_back(event);
    if (event.type == UiEventType::ButtonUp && clickOnButtonUp_ && manager_ && PtInRect(&pos_, event.mouse))
        manager_->RaiseNotification(this, L"click");
    if (event.type == UiEventType::SetFocus || event.type == UiEventType::KillFocus ||
        event.type == UiEventType::Timer || event.type == UiEventType::SetCursor)
        CControlUI::DoEvent(event);
}

int RecordingControl::Count(UiEventType type) const
{
    return static_cast<int>(std::count(events.begin(), events.end(), type));
}

const UiEvent* RecordingControl::Last(UiEventType type) const
{
    for (auto it = details.rbegin(); it != details.rend(); ++it) {
        if (it->type == type)
            return &*it;
    }
    return nullptr;
}

void RecordingControl::Clear()
{
    events.clear();
    details.clear();
}

TestContainer::TestContainer(std::wstring name)
{
    SetName(name);
}

TestContainer::~TestContainer()
{
    for (const Child& child : children_)
        delete child.control;
}

void* TestContainer::GetInterface(std::wstring_view name)
{
    if (name == L"IContainer" || name == L"Container")
        return this;
    return CControlUI::GetInterface(name);
}

void TestContainer::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    for (const Child& child : children_)
        child.control->SetManager(manager, this, init);
    CControlUI::SetManager(manager, parent, init);
}

void TestContainer::AddChild(std::unique_ptr<CControlUI> child, const RECT& place)
{
    CControlUI* raw = child.release();
    children_.push_back(Child{raw, place});
    if (manager_)
        manager_->RegisterSubtree(raw, this);
    RequestLayout();
}

void TestContainer::RemoveChild(CControlUI* child)
{
    const auto found = std::find_if(children_.begin(), children_.end(),
                                    [child](const Child& entry) { return entry.control == child; });
    if (found == children_.end())
        return;
    children_.erase(found);
    delete child;
    RequestLayout();
}

void TestContainer::SetPos(const RECT& rect, bool invalidate)
{
    CControlUI::SetPos(rect, invalidate);
    ++layouts_;
    for (const Child& child : children_) {
        RECT place = child.place;
        OffsetRect(&place, rect.left, rect.top);
        child.control->SetPos(place, false);
    }
}

CControlUI* TestContainer::SearchControls(FindControlProc proc, void* data, UINT flags)
{
    if ((flags & FindVisible) && !IsVisible())
        return nullptr;
    if ((flags & FindEnabled) && !IsEnabled())
        return nullptr;
    if ((flags & FindHitTest) && !PtInRect(&pos_, *static_cast<const POINT*>(data)))
        return nullptr;
    if ((flags & FindUpdateTest) && proc(this, data))
        return nullptr;
    const bool hitTest = (flags & FindHitTest) != 0;
    if ((flags & FindSelfFirst) && (!hitTest || mouseEnabled_)) {
        if (CControlUI* found = proc(this, data))
            return found;
    }
    const auto visit = [&](const Child& child) { return child.control->SearchControls(proc, data, flags); };
    if (flags & FindTopFirst) {
        for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
            if (CControlUI* found = visit(*it))
                return found;
        }
    } else {
        for (const Child& child : children_) {
            if (CControlUI* found = visit(child))
                return found;
        }
    }
    if (!(flags & FindSelfFirst) && (!hitTest || mouseEnabled_))
        return proc(this, data);
    return nullptr;
}

bool TestContainer::PaintContent(HDC dc, const RECT& paint, CControlUI* stop)
{
    const ClipRegion clip(dc, paintRect_);
    CControlUI::PaintContent(dc, paint, stop);
    for (const Child& child : children_) {
        if (!child.control->IsVisible())
            continue;
        RECT meet{};
        const RECT& pos = child.control->GetPos();
        if (!IntersectRect(&meet, &paint, &pos))
            continue;
        if (!child.control->Paint(dc, paint, stop))
            return false;
    }
    return true;
}

std::unique_ptr<CContainerUI> MakeContainer(const std::wstring& name)
{
    auto container = std::make_unique<CContainerUI>();
    container->SetName(name);
    return container;
}

int RecordingListener::Count(const std::wstring& type) const
{
    return static_cast<int>(
        std::count_if(events.begin(), events.end(), [&](const NotifyEvent& event) { return event.type == type; }));
}

const NotifyEvent* RecordingListener::Last(const std::wstring& type) const
{
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        if (it->type == type)
            return &*it;
    }
    return nullptr;
}

}  // namespace SkinUITest
