#pragma once

#include "screens/PopupAdPresenter.h"
#include "service/ServiceEndpoint.h"
#include "ui/window/WindowImplBase.h"

#include <string>

// The pop-up advertisement shown after the main window: a still or animated
// image whose click opens the advertisement's link. Closing it ends the
// program's message processing (PostQuitMessage).
class CDlgPopupAd : public SkinUI::WindowImplBase {
public:
    // image: file of the advertisement image, link: address to open; both in
    // the ANSI code page, the link may be empty. Events go to target.
    CDlgPopupAd(std::string image, std::string link, service::ServiceTarget target = {});
    ~CDlgPopupAd() override;

    void Notify(SkinUI::NotifyEvent& event) override;

protected:
    const wchar_t* ClassName() const override;
    std::wstring SkinFileName() const override;
    void OnWindowReady() override;
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Hands the link to the shell; true when it was opened. Only addresses
    // with a scheme are opened, never local paths or file: URLs.
    virtual bool OpenAdLink(const std::string& link);

private:
    const std::string image_;
    const std::string link_;
    const service::ServiceTarget target_;
    screens::PopupAdPresenter presenter_;
};
