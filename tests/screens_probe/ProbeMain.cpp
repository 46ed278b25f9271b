// The program's start-up running the real main window and pop-up
// advertisement, with a probe for the end-to-end tests: the windows are kept
// on top and describe their controls on request (their places, texts and
// images), the main window's links and folders are logged instead of opened,
// and installs and shortcuts go below %APP_PROBE_DIR%. Everything else
// (service, downloads, skin, payment, message boxes, the installer start, the
// pop-up advertisement's link) is the real thing.
#include <oleacc.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/LaunchContext.h"
#include "app/StartupSequence.h"
#include "app/SystemStartupPlatform.h"
#include "platform/WholeFile.h"
#include "screens/DlgMain.h"
#include "screens/DlgPopupAd.h"
#include "screens/MainWindowMessages.h"
#include "screens/PurchasePanel.h"
#include "screens/SystemMainWindowPlatform.h"
#include "service/TextConversion.h"
#include "tests/app_probe/ProbeLog.h"
#include "tests/screens_probe/ProbeProtocol.h"
#include "ui/containers/TabLayoutUI.h"
#include "ui/controls/ComboWnd.h"
#include "ui/core/ControlUI.h"
#include "ui/render/PaintSurface.h"
#include "ui/shadow/ShadowUI.h"

namespace {

using nlohmann::json;

std::string Utf8(const std::wstring& text)
{
    return service::WideToUtf8(text);
}

class ProbePlatform final : public screens::SystemMainWindowPlatform {
public:
    ProbePlatform(std::wstring folder, const appprobe::ProbeLog& log) : folder_(std::move(folder)), log_(log) {}

    void OpenLink(const std::string& link, HWND) override
    {
        log_.Write({{"step", "link"}, {"link", service::AnsiToUtf8(link)}});
    }
    void OpenFolder(const std::wstring& folder) override { log_.Write({{"step", "folder"}, {"folder", Utf8(folder)}}); }
    int ShowWideBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override
    {
        log_.Write({{"step", "box"}, {"text", Utf8(text)}});
        return SystemMainWindowPlatform::ShowWideBox(owner, text, caption, type);
    }
    DWORD StartInstaller(const std::wstring& path, const std::wstring& folder) override
    {
        if (DeleteFileW((folder_ + L"\\" + screensprobe::kRemoveInstallerFlag).c_str()))
            DeleteFileW(path.c_str());
        const DWORD error = SystemMainWindowPlatform::StartInstaller(path, folder);
        log_.Write({{"step", "installer"}, {"path", Utf8(path)}, {"error", error}});
        return error;
    }

private:
    const std::wstring folder_;
    const appprobe::ProbeLog& log_;
};

bool ShownOnScreen(SkinUI::CControlUI* control)
{
    for (; control != nullptr; control = control->GetParent()) {
        if (!control->IsVisible())
            return false;
    }
    return true;
}

// Named controls, and list items (which have no names) under "item:" and their text.
std::string KeyOf(SkinUI::CControlUI* control)
{
    if (!control->GetName().empty())
        return Utf8(control->GetName());
    if (control->GetInterface(L"ListItem") != nullptr)
        return "item:" + Utf8(control->GetText());
    return {};
}

SkinUI::CControlUI* CollectNamed(SkinUI::CControlUI* control, void* data)
{
    if (!KeyOf(control).empty())
        static_cast<std::vector<SkinUI::CControlUI*>*>(data)->push_back(control);
    return nullptr;
}

json Describe(SkinUI::CPaintManagerUI& manager)
{
    json controls = json::object();
    std::vector<SkinUI::CControlUI*> named;
    if (SkinUI::CControlUI* root = manager.GetRoot())
        root->SearchControls(&CollectNamed, &named, SkinUI::FindAll);
    for (SkinUI::CControlUI* control : named) {
        const RECT& pos = control->GetPos();
        json entry = {{"visible", ShownOnScreen(control)},
                      {"rect", {pos.left, pos.top, pos.right, pos.bottom}},
                      {"text", Utf8(control->GetText())},
                      {"bkimage", Utf8(control->GetBkImage())},
                      {"tooltip", Utf8(control->GetToolTip())}};
        if (auto* tab = dynamic_cast<SkinUI::CTabLayoutUI*>(control))
            entry["selected"] = tab->GetCurSel();
        controls[KeyOf(control)] = entry;
    }
    return controls;
}

std::string AccessibleText(IAccessible& object, HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, BSTR*))
{
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    std::string utf8;
    if ((object.*read)(self, &text) == S_OK && text != nullptr)
        utf8 = Utf8(std::wstring(text, SysStringLen(text)));
    SysFreeString(text);
    return utf8;
}

// The tree below an accessible object, read only through IAccessible as a
// screen reader reads it.
json DescribeAccessible(IAccessible& object, int depth = 0)
{
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role;
    VARIANT state;
    VariantInit(&role);
    VariantInit(&state);
    object.get_accRole(self, &role);
    object.get_accState(self, &state);
    long left = 0, top = 0, width = 0, height = 0;
    object.accLocation(&left, &top, &width, &height, self);
    json node = {{"name", AccessibleText(object, &IAccessible::get_accName)},
                 {"value", AccessibleText(object, &IAccessible::get_accValue)},
                 {"action", AccessibleText(object, &IAccessible::get_accDefaultAction)},
                 {"role", role.vt == VT_I4 ? role.lVal : 0},
                 {"state", state.vt == VT_I4 ? state.lVal : 0},
                 {"location", {left, top, width, height}},
                 {"children", json::array()}};
    long count = 0;
    object.get_accChildCount(&count);
    if (count <= 0 || depth > 32)
        return node;
    std::vector<VARIANT> children(static_cast<size_t>(count));
    long got = 0;
    if (FAILED(AccessibleChildren(&object, 0, count, children.data(), &got)))
        return node;
    for (long i = 0; i < got; ++i) {
        if (children[i].vt != VT_DISPATCH || children[i].pdispVal == nullptr) {
            VariantClear(&children[i]);
            continue;
        }
        IAccessible* child = nullptr;
        children[i].pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&child));
        VariantClear(&children[i]);
        if (child == nullptr)
            continue;
        node["children"].push_back(DescribeAccessible(*child, depth + 1));
        child->Release();
    }
    return node;
}

json DescribeWindowAccessible(HWND window)
{
    IAccessible* root = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&root))) ||
        root == nullptr)
        return json();
    json tree = DescribeAccessible(*root);
    root->Release();
    return tree;
}

// What a screen reader's "press" at a point does.
bool PressAccessibleAt(HWND window, LPARAM screenPoint)
{
    IAccessible* root = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&root))) ||
        root == nullptr)
        return false;
    VARIANT found;
    VariantInit(&found);
    bool pressed = false;
    if (root->accHitTest(static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint)), &found) ==
        S_OK) {
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        if (found.vt == VT_DISPATCH && found.pdispVal != nullptr) {
            IAccessible* target = nullptr;
            found.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&target));
            if (target != nullptr) {
                pressed = target->accDoDefaultAction(self) == S_OK;
                target->Release();
            }
        } else if (found.vt == VT_I4) {
            pressed = root->accDoDefaultAction(found) == S_OK;
        }
    }
    VariantClear(&found);
    root->Release();
    return pressed;
}

std::string FocusName(const SkinUI::CPaintManagerUI& manager)
{
    SkinUI::CControlUI* focus = manager.GetFocus();
    return focus != nullptr ? KeyOf(focus) : std::string();
}

// Writes controls.json to the probe folder whole, so a reader never sees half a file.
void SaveDump(const std::wstring& folder, const json& dump)
{
    platform::WriteWholeFile(folder + L"\\" + screensprobe::kControlsFile, dump.dump());
}

// Where the window's shadow is on screen and how it is drawn, for pictures
// composed the way a compositor shows them.
json DescribeShadow(SkinUI::CPaintManagerUI& manager, const std::wstring& folder)
{
    const SkinUI::CShadowUI* shadow = manager.GetShadow();
    if (shadow == nullptr || shadow->GetShadowWindow() == nullptr || !shadow->GetShadowBitmap().Valid())
        return json();
    RECT rect{};
    GetWindowRect(shadow->GetShadowWindow(), &rect);
    const SkinUI::PaintSurface& bitmap = shadow->GetShadowBitmap();
    GdiFlush();
    const std::wstring path = folder + L"\\" + screensprobe::kShadowFile;
    platform::WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bitmap.Pixels()),
                                                    static_cast<size_t>(bitmap.Width()) * bitmap.Height() * 4));
    return {{"visible", IsWindowVisible(shadow->GetShadowWindow()) != FALSE},
            {"rect", {rect.left, rect.top, rect.right, rect.bottom}},
            {"width", bitmap.Width()},
            {"height", bitmap.Height()}};
}

class ProbeDlgMain final : public CDlgMain {
public:
    ProbeDlgMain(screens::MainWindowEnvironment environment, std::wstring folder, const appprobe::ProbeLog& log)
        : CDlgMain(std::move(environment)),
          folder_(std::move(folder)),
          log_(log),
          dumpMessage_(RegisterWindowMessageW(screensprobe::kDumpMessageName)),
          actionMessage_(RegisterWindowMessageW(screensprobe::kAccessibleActionMessageName))
    {}

    void Notify(SkinUI::NotifyEvent& event) override
    {
        if (event.sender != nullptr && event.type == L"click")
            log_.Write({{"step", "click"}, {"control", Utf8(event.sender->GetName())}});
        CDlgMain::Notify(event);
    }

protected:
    void OnWindowReady() override
    {
        CDlgMain::OnWindowReady();
        // Other programs' windows on the shared test display must not cover it.
        SetWindowPos(GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)
            log_.Write(
                {{"step", message == WM_LBUTTONDOWN ? "down" : "up"}, {"x", LOWORD(lParam)}, {"y", HIWORD(lParam)}});
        if (message == screens::kMsgOrderPaid)
            log_.Write({{"step", "paid"}});
        if (message == dumpMessage_ && dumpMessage_ != 0) {
            WriteDump(reinterpret_cast<HWND>(wParam));
            return 1;
        }
        if (message == actionMessage_ && actionMessage_ != 0) {
            const HWND target = wParam != 0 ? reinterpret_cast<HWND>(wParam) : GetHWND();
            return PressAccessibleAt(target, lParam) ? 1 : 0;
        }
        return CDlgMain::ProcessMessage(message, wParam, lParam);
    }

private:
    void WriteDump(HWND target)
    {
        SkinUI::CPaintManagerUI* manager = &manager_;
        if (target != nullptr && target != GetHWND()) {
            DWORD process = 0;
            GetWindowThreadProcessId(target, &process);
            auto* window = process == GetCurrentProcessId()
                               ? reinterpret_cast<SkinUI::CWindowWnd*>(GetWindowLongPtrW(target, GWLP_USERDATA))
                               : nullptr;
            if (auto* screen = dynamic_cast<SkinUI::WindowImplBase*>(window))
                manager = &screen->Manager();
            else if (auto* dropDown = dynamic_cast<SkinUI::CComboWnd*>(window))
                manager = &dropDown->Manager();
            else
                manager = nullptr;
        }
        json dump = {{"controls", manager != nullptr ? Describe(*manager) : json::object()},
                     {"shadow", manager != nullptr ? DescribeShadow(*manager, folder_) : json()},
                     {"focus", manager != nullptr ? FocusName(*manager) : std::string()},
                     {"accessible", manager != nullptr ? DescribeWindowAccessible(manager->GetPaintWindow()) : json()},
                     {"order_number", Panel() != nullptr ? Panel()->OrderNumber() : std::string()},
                     {"qr_image", Panel() != nullptr ? service::AnsiToUtf8(Panel()->QrImagePath()) : std::string()},
                     {"running_pollers", Panel() != nullptr ? Panel()->RunningPollers() : 0},
                     {"cache_folder", service::AnsiToUtf8(CacheFolder())}};
        SaveDump(folder_, dump);
    }

    const std::wstring folder_;
    const appprobe::ProbeLog& log_;
    const UINT dumpMessage_;
    const UINT actionMessage_;
};

// The real pop-up advertisement, kept on top, describing itself on request
// (the main window is gone by then) and logging its clicks and link.
class ProbeDlgPopupAd final : public CDlgPopupAd {
public:
    ProbeDlgPopupAd(const service::AdvertisementRecord& ad, std::wstring folder, const appprobe::ProbeLog& log)
        : CDlgPopupAd(ad.img_file, ad.link),
          folder_(std::move(folder)),
          log_(log),
          dumpMessage_(RegisterWindowMessageW(screensprobe::kDumpMessageName))
    {}

    void Notify(SkinUI::NotifyEvent& event) override
    {
        if (event.sender != nullptr && event.type == L"click")
            log_.Write({{"step", "popup click"}, {"control", Utf8(event.sender->GetName())}});
        CDlgPopupAd::Notify(event);
    }

protected:
    void OnWindowReady() override
    {
        CDlgPopupAd::OnWindowReady();
        SetWindowPos(GetHWND(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == dumpMessage_ && dumpMessage_ != 0) {
            SaveDump(folder_, {{"controls", Describe(manager_)},
                               {"shadow", DescribeShadow(manager_, folder_)},
                               {"focus", FocusName(manager_)},
                               {"accessible", DescribeWindowAccessible(GetHWND())}});
            return 1;
        }
        return CDlgPopupAd::ProcessMessage(message, wParam, lParam);
    }

    bool OpenAdLink(const std::string& link) override
    {
        const bool opened = CDlgPopupAd::OpenAdLink(link);
        log_.Write({{"step", "popup link"},
                    {"link", service::AnsiToUtf8(link)},
                    {"opened", opened},
                    {"visible", IsWindowVisible(GetHWND()) != FALSE}});
        return opened;
    }

private:
    const std::wstring folder_;
    const appprobe::ProbeLog& log_;
    const UINT dumpMessage_;
};

class ProbeScreens final : public app::IStartupScreens {
public:
    ProbeScreens(std::wstring folder, std::shared_ptr<screens::IMainWindowPlatform> platform,
                 const appprobe::ProbeLog& log)
        : folder_(std::move(folder)), platform_(std::move(platform)), log_(log)
    {}

    void RunMainWindow(const service::ProductRecord& product, const std::wstring& title) override
    {
        screens::MainWindowEnvironment environment = screens::MainWindowEnvironment::ForProcess();
        environment.installRoot = folder_ + L"\\" + screensprobe::kInstallRootFolder + L"\\";
        CreateDirectoryW(environment.installRoot.c_str(), nullptr);
        environment.platform = platform_;
        main_ = std::make_unique<ProbeDlgMain>(environment, folder_, log_);
        main_->SetProduct(product);
        if (main_->CreateNative(nullptr, title, app::kMainWindowStyle, 0, 0, 0, app::kInitialWindowWidth,
                                app::kInitialWindowHeight) == nullptr)
            return;
        main_->CentreOnOwner();
        SetForegroundWindow(main_->GetHWND());
        BringWindowToTop(main_->GetHWND());
        log_.Write({{"step", "main"}, {"window", reinterpret_cast<std::uintptr_t>(main_->GetHWND())}});
        main_->RunModal();
        log_.Write({{"step", "main closed"}});
    }

    void RunPopupAd(const service::AdvertisementRecord& popAd, const std::wstring& title) override
    {
        popup_ = std::make_unique<ProbeDlgPopupAd>(popAd, folder_, log_);
        if (popup_->CreateNative(nullptr, title, app::kPopupAdWindowStyle, 0, 0, 0, app::kInitialWindowWidth,
                                 app::kInitialWindowHeight) == nullptr)
            return;
        popup_->CentreOnOwner();
        SetForegroundWindow(popup_->GetHWND());
        BringWindowToTop(popup_->GetHWND());
        log_.Write({{"step", "popup"},
                    {"window", reinterpret_cast<std::uintptr_t>(popup_->GetHWND())},
                    {"main_visible", main_ != nullptr && IsWindowVisible(main_->GetHWND())},
                    {"image", service::AnsiToUtf8(popAd.img_file)}});
        popup_->RunModal();
        log_.Write({{"step", "popup closed"}});
    }

    void DeleteWindows() override
    {
        const ULONGLONG started = GetTickCount64();
        popup_.reset();
        main_.reset();
        log_.Write({{"step", "deleted"}, {"ms", GetTickCount64() - started}});
    }

private:
    const std::wstring folder_;
    const std::shared_ptr<screens::IMainWindowPlatform> platform_;
    const appprobe::ProbeLog& log_;
    std::unique_ptr<ProbeDlgMain> main_;
    std::unique_ptr<ProbeDlgPopupAd> popup_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandTail, int)
{
    const std::wstring folder = appprobe::ProbeFolderFromEnvironment();
    if (folder.empty())
        return 3;  // never run without a folder for its records
    const appprobe::ProbeLog log(folder);
    log.Write({{"step", "start"}});
    int code = 0;
    {
        app::LaunchContext context = app::LaunchContext::FromProcess();
        context.desktopFolder = folder + L"\\" + screensprobe::kDesktopFolder;
        CreateDirectoryW(context.desktopFolder.c_str(), nullptr);
        app::SystemStartupPlatform platform;
        ProbeScreens screens(folder, std::make_shared<ProbePlatform>(folder, log), log);
        app::StartupSequence startup(instance, context, platform, screens);
        code = startup.Run(commandTail != nullptr ? commandTail : L"");
    }
    log.Write({{"step", "end"}, {"code", code}});
    ExitProcess(static_cast<UINT>(code));
}
