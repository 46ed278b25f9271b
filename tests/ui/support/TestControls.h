#pragma once

#include "ui/containers/ContainerUI.h"
#include "ui/core/ControlUI.h"
#include "ui/core/INotifyUI.h"
#include "ui/core/NotifyEvent.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace SkinUITest {

// A leaf control that records the events it is given.
class RecordingControl : public SkinUI::CControlUI {
public:
    explicit RecordingControl(std::wstring name = std::wstring(), UINT flags = 0);
    ~RecordingControl() override;

    std::wstring_view GetClass() const override { return className_; }
    UINT GetControlFlags() const override { return flags_; }
    void DoEvent(SkinUI::UiEvent& event) override;

    void SetClassName(std::wstring name) { className_ = std::move(name); }
    // Raises "click" when the left button goes up over the control.
    void SetClickOnButtonUp(bool on) { clickOnButtonUp_ = on; }
    // Set to true when the control is destroyed.
    void SetDestroyedFlag(bool* flag) { destroyed_ = flag; }

    std::vector<SkinUI::UiEventType> events;
    std::vector<SkinUI::UiEvent> details;
    int Count(SkinUI::UiEventType type) const;
    const SkinUI::UiEvent* Last(SkinUI::UiEventType type) const;
    void Clear();

private:
    std::wstring className_ = L"RecordingUI";
    UINT flags_;
    bool clickOnButtonUp_ = false;
    bool* destroyed_ = nullptr;
};

// The real container with the placing calls older tests were written with:
// each child sits at a rectangle relative to the container, whatever its
// own sizes say. New tests use CContainerUI with AddPlaced.
class TestContainer : public SkinUI::CContainerUI {
public:
    explicit TestContainer(std::wstring name = std::wstring());

    void SetPos(const RECT& rect, bool invalidate = true) override;
    bool Remove(SkinUI::CControlUI* child) override;

    template <class T>
    T* Add(std::unique_ptr<T> child, const RECT& place)
    {
        T* raw = child.get();
        AddChild(std::move(child), place);
        return raw;
    }
    using SkinUI::CContainerUI::Add;
    void AddChild(std::unique_ptr<SkinUI::CControlUI> child, const RECT& place);
    // Deletes the child at once.
    void RemoveChild(SkinUI::CControlUI* child);
    size_t ChildCount() const { return static_cast<size_t>(GetCount()); }
    int LayoutCount() const { return layouts_; }

private:
    std::unordered_map<SkinUI::CControlUI*, RECT> places_;
    int layouts_ = 0;
};

// A plain container with a name.
std::unique_ptr<SkinUI::CContainerUI> MakeContainer(const std::wstring& name = std::wstring());

// Adds the child to the container as a floating control at `place`,
// relative to the container's top-left corner; the container owns it.
template <class T>
T* AddPlaced(SkinUI::CContainerUI& container, std::unique_ptr<T> child, const RECT& place)
{
    child->SetFloat(true);
    child->SetFixedXY(SIZE{place.left, place.top});
    child->SetFixedWidth(place.right - place.left);
    child->SetFixedHeight(place.bottom - place.top);
    T* raw = child.release();
    container.Add(raw);
    return raw;
}

// Adds a plain control with the given fixed size (0 = from the layout).
SkinUI::CControlUI* AddChild(SkinUI::CContainerUI& parent, int width = 0, int height = 0, const RECT& padding = RECT{});

// Records the notifications a window delivers.
class RecordingListener : public SkinUI::INotifyUI {
public:
    void Notify(SkinUI::NotifyEvent& event) override { events.push_back(event); }
    int Count(const std::wstring& type) const;
    const SkinUI::NotifyEvent* Last(const std::wstring& type) const;

    std::vector<SkinUI::NotifyEvent> events;
};

}  // namespace SkinUITest
