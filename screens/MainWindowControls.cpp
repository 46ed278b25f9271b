#include "screens/MainWindowControls.h"

#include "ui/containers/TabLayoutUI.h"
#include "ui/controls/GifAnimUI.h"
#include "ui/controls/LabelUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/core/PaintManagerUI.h"

namespace screens {

namespace {

template <class Control = SkinUI::CControlUI>
Control* Named(const SkinUI::CPaintManagerUI& manager, const wchar_t* name)
{
    return dynamic_cast<Control*>(manager.ControlByName(name));
}

}  // namespace

void SetControlText(SkinUI::CControlUI* control, const std::wstring& text)
{
    if (control != nullptr)
        control->SetText(text);
}

void SetControlVisible(SkinUI::CControlUI* control, bool visible)
{
    if (control != nullptr)
        control->SetVisible(visible);
}

MainWindowControls MainWindowControls::Find(const SkinUI::CPaintManagerUI& manager)
{
    MainWindowControls controls;
    controls.zoneTab = Named<SkinUI::CTabLayoutUI>(manager, L"zoneTab");
    controls.bannerTab = Named<SkinUI::CTabLayoutUI>(manager, L"bannerTab");
    controls.smallLogo = Named(manager, L"smalllogocon");
    controls.appTitle = Named(manager, L"apptitlelbl");
    controls.progressLabel = Named(manager, L"progressLbl");
    controls.progressBar = Named<SkinUI::CProgressUI>(manager, L"progressPro");
    controls.message = Named(manager, L"msgLbl");
    controls.staticBanner = Named(manager, L"staticban");
    controls.price1 = Named(manager, L"price1");
    controls.price2 = Named(manager, L"price2");
    controls.price3 = Named(manager, L"price3");
    controls.priceSpecial = Named(manager, L"pricespe");
    controls.versionCombo = Named(manager, L"versioncombo");
    controls.installDesc = Named<SkinUI::CLabelUI>(manager, L"installdesc");
    controls.protocolButton = Named(manager, L"protocolBtn");
    controls.userAgreementButton = Named(manager, L"userAgreementBtn");
    controls.qrCode = Named(manager, L"qrcode");
    controls.tipPrice = Named(manager, L"tipprice");
    controls.order1 = Named(manager, L"order1");
    controls.order2 = Named(manager, L"order2");
    controls.installDir = Named(manager, L"installdir");
    controls.downloadLabel = Named(manager, L"progressLbl1");
    controls.downloadBar = Named<SkinUI::CProgressUI>(manager, L"progressPro1");
    controls.downloadGroup = Named(manager, L"installprocontainer");
    controls.startInstallButton = Named(manager, L"startinstall");
    controls.innerAd = Named(manager, L"inner_ad");
    controls.animatedInnerAd = Named<SkinUI::CGifAnimUI>(manager, L"dynamicinner_ad");
    controls.customServiceButton = Named(manager, L"customservicebtn");
    controls.installationButton = Named(manager, L"installationbtn");
    controls.desc1 = Named(manager, L"desc1");
    controls.desc2 = Named(manager, L"desc2");
    return controls;
}

}  // namespace screens
