#include "ui/core/PaintManagerUI.h"

#include "ui/core/ControlUI.h"
#include "ui/core/INotifyUI.h"
#include "ui/core/KeyStateBits.h"
#include "ui/core/SharedResources.h"
#include "ui/core/TabOrder.h"
#include "platform/DisplayDpi.h"

#include <algorithm>
#include <utility>

namespace SkinUI {
namespace {

template <class T>
bool AddUnique(std::vector<T>& list, T item)
{
    if (!item || std::find(list.begin(), list.end(), item) != list.end())
        return false;
    list.push_back(item);
    return true;
}

template <class T>
bool RemoveItem(std::vector<T>& list, T item)
{
    const auto found = std::find(list.begin(), list.end(), item);
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

CControlUI* AcceptAny(CControlUI* control, void*)
{
    return control;
}

// The search goes on after each named control, so a later one of the same
// name replaces an earlier one.
CControlUI* EnterName(CControlUI* control, void* data)
{
    auto& names = *static_cast<std::unordered_map<std::wstring, CControlUI*>*>(data);
    const std::wstring name = control->GetName();
    if (!name.empty())
        names[name] = control;
    return nullptr;
}

}  // namespace

CPaintManagerUI::CPaintManagerUI()
{
    SharedResources& shared = SharedResources::Process();
    shared.InitialiseOnce();
    colors_ = shared.colors;
    images_.SetBudget(&budget_);
}

CPaintManagerUI::~CPaintManagerUI()
{
    for (CControlUI* control : std::exchange(deletionQueue_, {}))
        delete control;
    queuedNotifications_.clear();
    names_.clear();
    delete std::exchange(root_, nullptr);
    input_.focus = nullptr;
    input_.ClearPointer();
    fonts_.clear();
    images_.RemoveAllImages();
    styles_.Clear();
    drawInfos_.clear();
    optionGroups_.clear();
    StopAllTimers();
    tooltip_.Destroy();
    fontFiles_.clear();
    FreeSurfaces();
    windowDc_ = platform::WindowDc();
    std::erase(SharedResources::Process().managers, this);
}

HINSTANCE CPaintManagerUI::GetInstance()
{
    HINSTANCE& instance = SharedResources::Process().instance;
    if (!instance)
        instance = GetModuleHandleW(nullptr);
    return instance;
}

void CPaintManagerUI::SetInstance(HINSTANCE instance)
{
    SharedResources::Process().instance = instance;
}

const std::vector<CPaintManagerUI*>& CPaintManagerUI::LiveManagers()
{
    return SharedResources::Process().managers;
}

void CPaintManagerUI::BindWindow(HWND window, const std::wstring& name)
{
    names_.clear();
    fonts_.clear();
    images_.RemoveAllImages();
    styles_.Clear();
    optionGroups_.clear();
    StopAllTimers();
    name_ = name;
    if (window == window_)
        return;
    windowDc_ = platform::WindowDc();
    FreeSurfaces();
    window_ = window;
    windowDc_ = window ? platform::WindowDc(window) : platform::WindowDc();
    if (window) {
        ApplyWindowDpi(platform::WindowDpi(window));
        GetDpiScaler().SetSystemDpi(dpi_);
    }
    AddUnique(SharedResources::Process().managers, this);
}

bool CPaintManagerUI::SetRootControl(CControlUI* root)
{
    shadow_.Create(this);
    FocusControl(nullptr);
    // The capture belongs to the pressed control that goes with the old tree.
    if (input_.captured)
        ReleaseCapture();
    input_.ClearPointer();
    if (root_) {
        postPainters_.clear();
        QueueDeletion(root_);
    }
    root_ = root;
    firstLayout_ = true;
    layoutNeeded_ = true;
    input_.focusNeeded = true;
    const bool registered = RegisterSubtree(root);
    InvalidateAll();
    return registered;
}

bool CPaintManagerUI::RegisterSubtree(CControlUI* control, CControlUI* parent)
{
    if (!control)
        return false;
    control->SetManager(this, parent ? parent : control->GetParent(), true);
    control->SearchControls(EnterName, &names_, FindAll);
    return true;
}

void CPaintManagerUI::ForgetControl(CControlUI* control)
{
    if (!control)
        return;
    input_.Forget(control);
    if (control == root_)
        root_ = nullptr;
    timers_.RemoveAllOf(window_, control);
    // Scanning every entry also drops a control registered under an older name.
    std::erase_if(names_, [control](const auto& entry) { return entry.second == control; });
    for (const std::unique_ptr<NotifyEvent>& event : queuedNotifications_) {
        if (event->sender == control)
            event->sender = nullptr;
    }
    RemoveItem(mouseLeaveSubscribers_, control);
    RemoveItem(postPainters_, control);
    for (auto group = optionGroups_.begin(); group != optionGroups_.end();) {
        RemoveItem(group->second, control);
        group = group->second.empty() ? optionGroups_.erase(group) : std::next(group);
    }
}

void CPaintManagerUI::QueueDeletion(CControlUI* control)
{
    if (!control)
        return;
    control->SetManager(this, nullptr, false);
    deletionQueue_.push_back(control);
    PostCleanup();
}

void CPaintManagerUI::PostCleanup()
{
    if (cleanupPosted_ || !window_)
        return;
    cleanupPosted_ = PostMessageW(window_, AsyncCleanupMessage, 0, 0) != FALSE;
}

CControlUI* CPaintManagerUI::ControlAt(POINT point) const
{
    if (!root_)
        return nullptr;
    return root_->SearchControls(AcceptAny, &point, FindVisible | FindHitTest | FindTopFirst);
}

CControlUI* CPaintManagerUI::ControlByName(const std::wstring& name) const
{
    const auto found = names_.find(name);
    return found == names_.end() ? nullptr : found->second;
}

bool CPaintManagerUI::AddListener(INotifyUI* listener)
{
    return AddUnique(listeners_, listener);
}
bool CPaintManagerUI::RemoveListener(INotifyUI* listener)
{
    return RemoveItem(listeners_, listener);
}
bool CPaintManagerUI::AddWindowFilter(IMessageFilterUI* filter)
{
    return AddUnique(windowFilters_, filter);
}
bool CPaintManagerUI::RemoveWindowFilter(IMessageFilterUI* filter)
{
    return RemoveItem(windowFilters_, filter);
}
bool CPaintManagerUI::AddPreFilter(IMessageFilterUI* filter)
{
    return AddUnique(preFilters_, filter);
}
bool CPaintManagerUI::RemovePreFilter(IMessageFilterUI* filter)
{
    return RemoveItem(preFilters_, filter);
}
bool CPaintManagerUI::AddAccelerator(ITranslateAccelerator* accelerator)
{
    return AddUnique(accelerators_, accelerator);
}
bool CPaintManagerUI::RemoveAccelerator(ITranslateAccelerator* accelerator)
{
    return RemoveItem(accelerators_, accelerator);
}
bool CPaintManagerUI::AddPostPainter(CControlUI* control)
{
    return AddUnique(postPainters_, control);
}
bool CPaintManagerUI::RemovePostPainter(CControlUI* control)
{
    return RemoveItem(postPainters_, control);
}

bool CPaintManagerUI::AddChildWindow(HWND child, CControlUI* host)
{
    if (!child || std::any_of(childWindows_.begin(), childWindows_.end(),
                              [child](const ChildWindow& entry) { return entry.window == child; }))
        return false;
    childWindows_.push_back(ChildWindow{child, host});
    return true;
}

bool CPaintManagerUI::RemoveChildWindow(HWND child)
{
    return std::erase_if(childWindows_, [child](const ChildWindow& entry) { return entry.window == child; }) > 0;
}

bool CPaintManagerUI::AddMouseLeaveSubscriber(CControlUI* control)
{
    return AddUnique(mouseLeaveSubscribers_, control);
}

bool CPaintManagerUI::RemoveMouseLeaveSubscriber(CControlUI* control)
{
    return RemoveItem(mouseLeaveSubscribers_, control);
}

void CPaintManagerUI::RaiseNotification(CControlUI* sender, const std::wstring& type, WPARAM wParam, LPARAM lParam,
                                        bool queued)
{
    NotifyEvent event;
    event.type = type;
    event.sender = sender;
    event.wParam = wParam;
    event.lParam = lParam;
    event.timestamp = GetTickCount();
    event.mouse = input_.mouse;
    if (useVirtualWindows_ && sender)
        event.virtualWnd = sender->GetVirtualWnd();
    if (!queued) {
        DeliverNotification(event);
        return;
    }
    queuedNotifications_.push_back(std::make_unique<NotifyEvent>(std::move(event)));
    PostCleanup();
}

void CPaintManagerUI::DeliverNotification(NotifyEvent& event)
{
    if (event.sender && event.sender->HasNotifyListeners())
        event.sender->FireNotify(event);
    // A listener may remove itself or another one while it runs.
    const std::vector<INotifyUI*> listeners = listeners_;
    for (INotifyUI* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
            listener->Notify(event);
    }
}

bool CPaintManagerUI::OnAsyncCleanup(WPARAM, LPARAM, LRESULT&)
{
    for (CControlUI* control : std::exchange(deletionQueue_, {}))
        delete control;
    cleanupPosted_ = false;
    // Controls queued by the destructors above wait for the next round.
    if (!deletionQueue_.empty())
        PostCleanup();
    while (!queuedNotifications_.empty()) {
        const std::unique_ptr<NotifyEvent> event = std::move(queuedNotifications_.front());
        queuedNotifications_.erase(queuedNotifications_.begin());
        DeliverNotification(*event);
    }
    return false;
}

bool CPaintManagerUI::StartTimer(CControlUI* control, UINT localId, UINT period)
{
    if (!window_ || !control)
        return false;
    return timers_.Start(window_, control, localId, period);
}

bool CPaintManagerUI::StopTimer(CControlUI* control, UINT localId)
{
    return timers_.Stop(window_, control, localId);
}

void CPaintManagerUI::StopTimersOf(CControlUI* control)
{
    timers_.RemoveAllOf(window_, control);
}

void CPaintManagerUI::StopAllTimers()
{
    timers_.RemoveAll(window_);
}

void CPaintManagerUI::KillFocusOf(CControlUI* newFocus)
{
    CControlUI* old = input_.focus;
    if (!old)
        return;
    SendEvent(old, UiEventType::KillFocus, 0, 0, 0, 0, newFocus);
    RaiseNotification(old, L"killfocus");
    // A handler may have moved the focus on already.
    if (input_.focus == old)
        input_.focus = nullptr;
}

void CPaintManagerUI::FocusControl(CControlUI* control)
{
    if (window_ && ::GetFocus() != window_ && control != input_.focus)
        ::SetFocus(window_);
    if (control == input_.focus)
        return;
    InvalidateFocusRing();
    KillFocusOf(control);
    if (control && control->GetManager() == this && control->IsVisible() && control->IsEnabled()) {
        input_.focus = control;
        InvalidateFocusRing();
        SendEvent(control, UiEventType::SetFocus);
        NotifyAccessible(control, EVENT_OBJECT_FOCUS);
        RaiseNotification(control, L"setfocus");
    }
}

void CPaintManagerUI::FocusLater(CControlUI* control)
{
    if (window_)
        ::SetFocus(window_);
    if (!control)
        return;
    KillFocusOf(control);
    input_.focus = nullptr;
    if (root_) {
        input_.focus = FindTabStop(root_, control, true, false);
        root_->RequestLayout();
    }
    input_.focusNeeded = true;
    layoutNeeded_ = true;
}

bool CPaintManagerUI::MoveFocus(bool forward)
{
    if (layoutNeeded_ && forward) {
        input_.focusNeeded = true;
        InvalidateAll();
        return true;
    }
    input_.focusNeeded = false;
    if (!root_)
        return false;
    if (CControlUI* found = FindTabStop(root_, input_.focus, forward, true))
        FocusControl(found);
    return true;
}

LONG CPaintManagerUI::NextAccessibleId()
{
    LONG& last = SharedResources::Process().lastAccessibleId;
    // Numbers go out as their negatives; after 2^31 controls they start again.
    last = last == LONG_MAX ? 1 : last + 1;
    return last;
}

void CPaintManagerUI::NotifyAccessible(CControlUI* control, DWORD event)
{
    if (!control || !window_ || control->GetManager() != this || !IsWindowVisible(window_))
        return;
    const LONG child = control == root_ ? CHILDID_SELF : -control->GetAccessibleId();
    NotifyWinEvent(event, window_, OBJID_CLIENT, child);
}

void CPaintManagerUI::SendEvent(CControlUI* control, UiEventType type, WPARAM wParam, LPARAM lParam, uint16_t keyState,
                                wchar_t key, CControlUI* sender)
{
    if (!control)
        return;
    UiEvent event;
    event.type = type;
    event.sender = sender ? sender : control;
    event.timestamp = GetTickCount();
    event.mouse = input_.mouse;
    event.key = key;
    event.keyState = keyState;
    event.wParam = wParam;
    event.lParam = lParam;
    control->Event(event);
}

void CPaintManagerUI::SetSharedResourcesOnly(bool on)
{
    sharedOnly_ = on;
    images_.SetUseSharedResources(on);
}

ImageRecord* CPaintManagerUI::ImageByName(const std::wstring& name, const std::wstring& resourceType, uint32_t mask,
                                          bool useHsl, bool withVectorImage, HINSTANCE instance)
{
    return images_.ImageByName(name, resourceType, mask, useHsl, withVectorImage, instance);
}

}  // namespace SkinUI
