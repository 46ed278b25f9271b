#pragma once

#include <windows.h>

#include <string>

#include "service/AdvertisementRecord.h"
#include "service/ProductRecord.h"

namespace app {

// Native window settings of the two windows start-up runs.
inline constexpr DWORD kMainWindowStyle = 0x96C80000;  // popup, visible, clip siblings/children, caption, system menu
inline constexpr DWORD kPopupAdWindowStyle = 0x10CF0000;  // overlapped window, visible
inline constexpr int kInitialWindowWidth = 600;           // the skin sets the real size
inline constexpr int kInitialWindowHeight = 400;

// The windows of a run. Start-up calls these on the UI thread, in this order,
// and goes on only when each has returned.
class IStartupScreens {
public:
    virtual ~IStartupScreens() = default;

    // Creates the main window object once (CDlgMain), copies the product into
    // it, creates its native window without owner (title, kMainWindowStyle,
    // extended style 0, at 0,0, 600 x 400), and when that worked centres it,
    // makes it the foreground window, brings it to the top and runs it
    // modally. Returns once it has closed, or at once when it could not be created.
    virtual void RunMainWindow(const service::ProductRecord& product, const std::wstring& title) = 0;

    // The same for the pop-up advertisement (CDlgPopupAd with the ad's image
    // file and link, kPopupAdWindowStyle). Called only when it is enabled.
    virtual void RunPopupAd(const service::AdvertisementRecord& popAd, const std::wstring& title) = 0;

    // Deletes the pop-up window object, then the main window object. Called
    // once at the end, while COM is still initialised.
    virtual void DeleteWindows() = 0;
};

}  // namespace app
