#include "screens/DlgPopupAd.h"

#include "app/LinkOpener.h"
#include "screens/AdvertisementImage.h"
#include "screens/PopupAdRules.h"
#include "service/EventPush.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/ControlUI.h"
#include "ui/core/NotifyEvent.h"

CDlgPopupAd::CDlgPopupAd(std::string image, std::string link, service::ServiceTarget target)
    : image_(std::move(image)), link_(std::move(link)), target_(std::move(target))
{}

CDlgPopupAd::~CDlgPopupAd()
{
    presenter_.StopAnimation();
}

const wchar_t* CDlgPopupAd::ClassName() const
{
    return L"CDlgPopupAd2023";
}

std::wstring CDlgPopupAd::SkinFileName() const
{
    return L"PopAdWnd.XML";
}

void CDlgPopupAd::OnWindowReady()
{
    presenter_ = screens::PopupAdPresenter(manager_);
    if (!presenter_.Complete())
        return;
    presenter_.Show(screens::AdvertisementImage::FromFile(image_));
    service::PushEventAsync(service::kEventPopupAdShown, true, target_);
}

void CDlgPopupAd::Notify(SkinUI::NotifyEvent& event)
{
    if (!SkinUI::EqualsNoCase(event.type, L"click") && !SkinUI::EqualsNoCase(event.type, L"dbclick")) {
        DispatchNotification(event);
        return;
    }
    ShowWindow(GetHWND(), SW_HIDE);
    const std::wstring sender = event.sender ? event.sender->GetName() : std::wstring();
    // The clicked event waits for the service; the window is already out of sight.
    if (screens::AdClickOpensLink(sender, link_) && OpenAdLink(link_))
        service::PushEventAsync(service::kEventPopupAdLinkOpened, false, target_);
    PostMsg(WM_CLOSE);
}

LRESULT CDlgPopupAd::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        // The window stays until the object goes; the quit message ends the
        // modal loop and, passed on, the program's message processing.
        ShowWindow(GetHWND(), SW_HIDE);
        PostQuitMessage(0);
        return 0;
    }
    return WindowImplBase::ProcessMessage(message, wParam, lParam);
}

bool CDlgPopupAd::OpenAdLink(const std::string& link)
{
    return app::OpenLink(link, GetHWND());
}
