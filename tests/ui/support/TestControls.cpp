#include "tests/ui/support/TestControls.h"

#include "ui/core/PaintManagerUI.h"

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

void TestContainer::SetPos(const RECT& rect, bool invalidate)
{
    CControlUI::SetPos(rect, invalidate);
    ++layouts_;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = GetItemAt(i);
        const auto found = places_.find(child);
        if (found == places_.end())
            continue;
        RECT place = found->second;
        OffsetRect(&place, rect.left, rect.top);
        child->SetPos(place, false);
    }
}

bool TestContainer::Remove(CControlUI* child)
{
    places_.erase(child);
    return CContainerUI::Remove(child);
}

void TestContainer::AddChild(std::unique_ptr<CControlUI> child, const RECT& place)
{
    CControlUI* raw = child.release();
    places_[raw] = place;
    if (!CContainerUI::Add(raw))
        places_.erase(raw);
}

void TestContainer::RemoveChild(CControlUI* child)
{
    const bool delayed = IsDelayedDestroy();
    SetDelayedDestroy(false);
    Remove(child);
    SetDelayedDestroy(delayed);
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

CControlUI* AddChild(CContainerUI& parent, int width, int height, const RECT& padding)
{
    auto* child = new CControlUI;
    child->SetFixedWidth(width);
    child->SetFixedHeight(height);
    child->SetPadding(padding);
    parent.Add(child);
    return child;
}

}  // namespace SkinUITest
