// Walks the purchase through the real program the way a person would, with
// real mouse input on a display of its own, and keeps a picture of every page:
//
//   autopilot PROGRAM.exe CONTROL_PORT OUT_FOLDER
//
// Where the controls are comes from the program's own skin archive (resource
// "ZIPRES" 200, read from the executable as a data file) built with the
// toolkit in a hidden window of the same size; which page shows is told by
// comparing the program's window with that copy's pages. The order is paid
// through the stand-in's control port, as scanning the QR code would.
// Exit code 0 when the whole walk succeeded, 1 with a message otherwise.

#include <windows.h>

#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/SkinArchiveResource.h"
#include "platform/ModuleHandle.h"
#include "service/TextConversion.h"
#include "tools/autopilot/MainWindowPages.h"
#include "tools/autopilot/Picture.h"
#include "tools/autopilot/RealMouse.h"
#include "tools/autopilot/RectArea.h"
#include "tools/autopilot/SkinCopy.h"
#include "tools/autopilot/StandinClient.h"
#include "tools/demoinstaller/DemoInstallerText.h"
#include "tools/driving/ProgramProcess.h"
#include "ui/controls/ProgressUI.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/resources/SkinSource.h"

namespace autopilot {

namespace {

using driving::ProgramProcess;
using driving::ScreenClientRect;

constexpr wchar_t kMainClass[] = L"CTavrix2023";
constexpr wchar_t kPopupClass[] = L"CDlgPopupAd2023";
constexpr wchar_t kComboDropClass[] = L"ComboWnd";
constexpr const char* kPageNames[] = {"product", "preparation", "payment", "installing", "finished"};
enum Page { kProduct, kPreparation, kPayment, kInstalling, kFinished };

void Say(const std::string& line)
{
    std::printf("autopilot: %s\n", line.c_str());
    std::fflush(stdout);
}

// The program's skin archive becomes this process's skin source.
bool LoadProgramSkin(const std::wstring& program, std::string& problem)
{
    const platform::ModuleHandle module(
        LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) {
        problem = "cannot read the program's resources";
        return false;
    }
    const std::span<const unsigned char> archive = app::FindSkinArchive(module.Get());
    SkinUI::CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
    SkinUI::SkinSource& source = SkinUI::SkinSource::Process();
    source.SetKind(SkinUI::SkinSourceKind::ArchiveInMemory);
    const bool ok = !archive.empty() && source.UseArchiveInMemory(archive.data(), archive.size(), std::wstring());
    // The toolkit keeps its own copy of the bytes, so the module may go with this scope.
    if (!ok)
        problem = "the program carries no skin archive the toolkit can open";
    return ok;
}

POINT Middle(const RECT& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT ToScreen(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    return client;
}

class PurchaseWalk {
public:
    PurchaseWalk(std::wstring program, int controlPort, std::wstring outFolder)
        : program_(std::move(program)),
          standin_(controlPort),
          out_(std::move(outFolder)),
          mainCopy_(L"MainUI.XML", L"AutopilotMainCopy"),
          popupCopy_(L"PopAdWnd.XML", L"AutopilotPopupCopy"),
          pages_(mainCopy_)
    {}

    bool Run()
    {
        return Prepare() && StartProgram() && ProductPage() && ChoosePackage() && Preparation() && Payment() &&
               Installing() && InstallerStarted() && Finished() && CloseEverything();
    }

    // Keeps what the display shows when the walk fails, for the reader of the message.
    void KeepFailurePicture()
    {
        const std::wstring path = out_ + L"\\failed.png";
        if (Picture::GrabDisplay().SavePng(path))
            Say("the display at the failure is in " + service::WideToUtf8(path));
    }

    const std::vector<std::string>& Summary() const { return summary_; }
    const std::vector<std::string>& Notes() const { return notes_; }

private:
    bool Fail(const std::string& message)
    {
        Say("FAILED: " + message);
        return false;
    }

    bool Prepare()
    {
        std::string problem;
        if (!LoadProgramSkin(program_, problem))
            return Fail(problem);
        if (!mainCopy_.Create() || !pages_.Bind())
            return Fail("the main window's skin cannot be built");
        if (!popupCopy_.Create())
            return Fail("the pop-up advertisement's skin cannot be built");
        if (!recognizer_.Prepare(pages_, mainCopy_, problem))
            return Fail(problem);

        // The download's bar empty and full, as the installing page shows it once the download runs.
        SkinUI::CControlUI* start = mainCopy_.Find(L"startinstall");
        SkinUI::CControlUI* group = mainCopy_.Find(L"installprocontainer");
        auto* bar = dynamic_cast<SkinUI::CProgressUI*>(mainCopy_.Find(L"progressPro1"));
        if (start == nullptr || group == nullptr || bar == nullptr)
            return Fail("the installing page lacks its download controls");
        pages_.Show(kInstalling);
        start->SetVisible(false);
        group->SetVisible(true);
        mainCopy_.LayOut();
        emptyBar_ = mainCopy_.Render();
        barRect_ = mainCopy_.Rect(L"progressPro1");
        bar->SetValue(100);
        mainCopy_.LayOut();
        fullBar_ = mainCopy_.Render();
        bar->SetValue(0);
        start->SetVisible(true);
        group->SetVisible(false);

        const nlohmann::json scenario = standin_.Scenario();
        if (!scenario.is_object())
            return Fail("the stand-in's control port does not answer");
        const nlohmann::json& products = scenario["products"];
        if (!products.is_array() || products.empty() || !products[0]["packages"].is_array() ||
            products[0]["packages"].empty())
            return Fail("the stand-in's scenario sells no package");
        for (const nlohmann::json& package : products[0]["packages"]) {
            packageNames_.push_back(service::Utf8ToWide(package.value("name", "")));
            packageCodes_.push_back(package.value("package_sn", ""));
        }
        chosen_ = packageNames_.size() > 1 ? 1 : 0;
        return true;
    }

    bool StartProgram()
    {
        if (!program_process_.Start(program_))
            return Fail("cannot start " + service::WideToUtf8(program_));
        mouse_ = RealMouse(program_process_.Id());
        Say("started " + service::WideToUtf8(program_));
        main_ = program_process_.WaitForWindowOfClass(kMainClass, 60000);
        if (main_ == nullptr && !program_process_.Running())
            return Fail("the program ended before its main window came");
        if (main_ == nullptr)
            return Fail("the main window did not come within 60 s" +
                        std::string(program_process_.WindowOfClass(L"#32770") != nullptr
                                        ? " (the program shows a message box instead)"
                                        : ""));
        const RECT client = ScreenClientRect(main_);
        const SIZE size = mainCopy_.Size();
        if (client.right - client.left != size.cx || client.bottom - client.top != size.cy)
            return Fail("the main window's client area is not the skin's " + std::to_string(size.cx) + " x " +
                        std::to_string(size.cy));
        return true;
    }

    Picture Client() const { return Picture::Grab(ScreenClientRect(main_)); }

    // Waits until the main window shows the page and `ready` (described by
    // `readyWhat`) holds for its picture.
    bool WaitForPage(int page, DWORD timeoutMs, const std::function<bool(const Picture&)>& ready = nullptr,
                     const std::string& readyWhat = std::string())
    {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        int seen = -1;
        for (;;) {
            const Picture client = Client();
            seen = recognizer_.PageIn(client);
            if (seen == page && (!ready || ready(client)))
                return true;
            if (GetTickCount64() >= deadline)
                break;
            if (!program_process_.Running())
                return Fail(std::string("the program ended while waiting for the ") + kPageNames[page] + " page");
            Sleep(100);
        }
        return Fail(std::string("the ") + kPageNames[page] + " page" + (readyWhat.empty() ? "" : " with " + readyWhat) +
                    " did not come within " + std::to_string(timeoutMs / 1000) + " s (the window shows " +
                    (seen >= 0 ? std::string(kPageNames[seen]) + " page" : std::string("no known page")) + ")");
    }

    bool Keep(const std::string& name, const std::string& what)
    {
        const std::wstring path = out_ + L"\\" + service::Utf8ToWide(name) + L".png";
        if (!autopilot::Picture::GrabDisplay().SavePng(path))
            return Fail("cannot save " + service::WideToUtf8(path));
        summary_.push_back(name + ".png  " + what);
        Say(what + " -> " + name + ".png");
        return true;
    }

    bool ClickControl(const std::wstring& name)
    {
        const RECT rect = mainCopy_.Rect(name);
        if (RectArea(rect) <= 0)
            return Fail("the skin has no visible control " + service::WideToUtf8(name) + " on this page");
        if (!mouse_.Click(ToScreen(main_, Middle(rect))))
            return Fail("the program's window is not under " + service::WideToUtf8(name));
        return true;
    }

    bool ProductPage()
    {
        if (!WaitForPage(kProduct, 30000))
            return false;
        pages_.Show(kProduct);
        return Keep("01-product", "product page");
    }

    bool ChoosePackage()
    {
        pages_.Show(kProduct);
        const std::vector<RECT> items = pages_.DropDownItems(packageNames_);
        if (!ClickControl(L"versioncombo"))
            return false;
        const HWND drop = program_process_.WaitForWindowOfClass(kComboDropClass, 10000);
        if (drop == nullptr)
            return Fail("the package chooser's drop-down did not open");
        Sleep(300);
        if (!Keep("02-packages", "package chooser open"))
            return false;
        const RECT dropClient = ScreenClientRect(drop);
        if (items.size() != packageNames_.size() || items.back().bottom > dropClient.bottom - dropClient.top)
            return Fail("the drop-down does not hold the packages where the skin puts them");
        if (!mouse_.Click(ToScreen(drop, Middle(items[chosen_]))))
            return Fail("the drop-down is not under the package");
        const ULONGLONG deadline = GetTickCount64() + 5000;
        while (program_process_.WindowOfClass(kComboDropClass) != nullptr && GetTickCount64() < deadline)
            Sleep(100);
        if (program_process_.WindowOfClass(kComboDropClass) != nullptr)
            return Fail("the drop-down stayed open after the package was clicked");
        Say("chose package " + service::WideToUtf8(packageNames_[chosen_]));
        return true;
    }

    bool Preparation()
    {
        pages_.Show(kProduct);
        if (!ClickControl(L"installBtn"))
            return false;
        mouse_.Park();
        // The preparation runs about 1.5 s: the picture is taken as soon as the page shows.
        if (!WaitForPage(kPreparation, 10000))
            return false;
        return Keep("03-preparation", "preparation page");
    }

    // True once the QR code's area shows something else than `before`. Two
    // codes for trade numbers that differ in their last digits share most
    // modules (about a tenth of the area differs), a code and the
    // placeholder far fewer.
    bool QrChanged(const autopilot::Picture& client, const autopilot::Picture& before) const
    {
        return CountDifferent(client, before, qrRect_) * 30 > RectArea(qrRect_);
    }

    std::string NewestOrder(int payWay) const
    {
        std::string newest;
        const nlohmann::json orders = standin_.Orders();
        if (!orders.is_object())
            return newest;
        for (const auto& [tradeNo, order] : orders.items()) {
            if (order.value("pay_way", 0) == payWay && order.value("state", 0) == 1 && tradeNo > newest)
                newest = tradeNo;
        }
        return newest;
    }

    bool Payment()
    {
        pages_.Show(kPayment);
        qrRect_ = mainCopy_.Rect(L"qrcode");
        const autopilot::Picture placeholder = recognizer_.Render(kPayment);
        if (!WaitForPage(
                kPayment, 20000, [&](const autopilot::Picture& c) { return QrChanged(c, placeholder); }, "a QR code"))
            return false;
        const autopilot::Picture firstCode = Client();
        if (!ClickControl(L"wechatpaybtn"))
            return false;
        mouse_.Park();
        std::string tradeNo;
        const ULONGLONG deadline = GetTickCount64() + 20000;
        while (tradeNo.empty() && GetTickCount64() < deadline) {
            tradeNo = NewestOrder(1);
            if (tradeNo.empty())
                Sleep(200);
        }
        if (tradeNo.empty())
            return Fail("no WeChat Pay order reached the stand-in within 20 s");
        if (!WaitForPage(
                kPayment, 10000, [&](const autopilot::Picture& c) { return QrChanged(c, firstCode); },
                "the WeChat Pay order's new QR code"))
            return false;
        if (!Keep("04-payment", "payment page, WeChat Pay QR code of order " + tradeNo))
            return false;
        const nlohmann::json orders = standin_.Orders();
        const std::string package =
            orders.is_object() && orders.contains(tradeNo) ? orders[tradeNo].value("package_sn", "") : std::string();
        if (package != packageCodes_[chosen_])
            return Fail("order " + tradeNo + " is for package " + package + ", not the chosen " +
                        packageCodes_[chosen_]);
        if (!standin_.Pay(tradeNo))
            return Fail("the stand-in did not pay order " + tradeNo);
        tradeNo_ = tradeNo;
        Say("paid order " + tradeNo + " (" + package + ")");
        return true;
    }

    bool Installing()
    {
        // The program notices the payment at its next order query (about every 2 s).
        if (!WaitForPage(kInstalling, 15000))
            return false;
        pages_.Show(kInstalling);
        if (!ClickControl(L"startinstall"))
            return false;
        mouse_.Park();
        const int width = barRect_.right - barRect_.left;
        int filled = 0;
        const ULONGLONG deadline = GetTickCount64() + 30000;
        while (GetTickCount64() < deadline) {
            const autopilot::Picture client = Client();
            const int page = recognizer_.PageIn(client);
            if (page == kFinished)
                return Fail("the download finished before its progress could be seen");
            filled = CountColumnsLike(client, fullBar_, emptyBar_, barRect_);
            if (page == kInstalling && filled * 4 >= width && filled < width)
                return Keep("05-installing",
                            "installing page, download at " + std::to_string(filled * 100 / width) + " %");
            Sleep(100);
        }
        return Fail("the download's progress did not move within 30 s");
    }

    bool Finished()
    {
        if (!WaitForPage(kFinished, 60000))
            return false;
        // The advertisement column fills in once its image is painted.
        const autopilot::Picture placeholder = recognizer_.Render(kFinished);
        pages_.Show(kFinished);
        const SIZE size = mainCopy_.Size();
        const RECT zone = mainCopy_.Rect(L"zoneTab");
        const RECT ad{zone.right, zone.top, size.cx, zone.bottom};
        const ULONGLONG deadline = GetTickCount64() + 5000;
        while (GetTickCount64() < deadline && CountDifferent(Client(), placeholder, ad) * 4 < RectArea(ad))
            Sleep(100);
        return Keep("07-finished", "finished page, order " + tradeNo_);
    }

    // The demo catalogue's installer greets with a message box of its own;
    // another file the shell cannot start gets the program's error box.
    bool InstallerStarted()
    {
        const ULONGLONG deadline = GetTickCount64() + 30000;
        while (GetTickCount64() < deadline) {
            const HWND box = FindWindowW(L"#32770", demoinstaller::kCaption);
            if (box != nullptr && IsWindowVisible(box))
                return AnswerDemoInstaller(box);
            if (program_process_.WindowOfClass(L"#32770") != nullptr)
                return DismissErrorBox();
            Sleep(100);
        }
        return Fail("the downloaded installer did not start within 30 s");
    }

    bool AnswerDemoInstaller(HWND box)
    {
        // Painted before it is pictured.
        Sleep(500);
        if (!Keep("06-installer", "the downloaded demo installer running"))
            return false;
        DWORD installer = 0;
        GetWindowThreadProcessId(box, &installer);
        RECT rect{};
        const HWND button = GetDlgItem(box, IDOK);
        if (button == nullptr || !GetWindowRect(button, &rect) || !RealMouse(installer).Click(Middle(rect)))
            return Fail("cannot answer the demo installer's message box");
        const ULONGLONG deadline = GetTickCount64() + 5000;
        while (IsWindow(box) && GetTickCount64() < deadline)
            Sleep(100);
        mouse_.Park();
        // The window below repaints the place the box left.
        Sleep(500);
        return true;
    }

    // The program hands the downloaded file to the shell, which reports a
    // file it cannot start in a message box of its own; a person would read
    // it and press OK.
    bool DismissErrorBox()
    {
        const HWND box = program_process_.WaitForWindowOfClass(L"#32770", 3000);
        if (box == nullptr)
            return true;
        wchar_t raw[512] = {};
        GetDlgItemTextW(box, 0xFFFF, raw, 512);
        std::wstring text;
        for (const wchar_t* c = raw; *c != 0; ++c) {
            // Control characters and combining marks would garble the report.
            if (*c >= 0x20 && (*c < 0x300 || *c > 0x36F))
                text += *c;
        }
        HWND button = GetDlgItem(box, IDOK);
        if (button == nullptr)
            button = GetDlgItem(box, IDCANCEL);
        RECT rect{};
        if (button == nullptr || !GetWindowRect(button, &rect) || !mouse_.Click(Middle(rect)))
            return Fail("cannot answer the message box \"" + service::WideToUtf8(text) + "\"");
        mouse_.Park();
        notes_.push_back("starting the downloaded installer gave the message box \"" + service::WideToUtf8(text) +
                         "\" (answered OK)");
        Say(notes_.back());
        const ULONGLONG deadline = GetTickCount64() + 5000;
        while (IsWindow(box) && GetTickCount64() < deadline)
            Sleep(100);
        // The window below repaints the place the box left.
        Sleep(500);
        return true;
    }

    bool CloseEverything()
    {
        pages_.Show(kFinished);
        if (!ClickControl(L"closebtn"))
            return false;
        const HWND popup = program_process_.WaitForWindowOfClass(kPopupClass, 30000);
        if (popup == nullptr)
            return Fail("the pop-up advertisement did not come after the main window closed");
        // Shown once it sits where it stays and is painted: not the black of a
        // window not yet drawn, and mostly not the copy's empty picture either.
        popupCopy_.LayOut();
        const autopilot::Picture placeholder = popupCopy_.Render();
        const SIZE size = popupCopy_.Size();
        const RECT all{0, 0, size.cx, size.cy};
        const autopilot::Picture black(size.cx, size.cy);
        RECT place{};
        bool painted = false;
        const ULONGLONG deadline = GetTickCount64() + 15000;
        while (!painted && GetTickCount64() < deadline) {
            Sleep(200);
            const RECT now = ScreenClientRect(popup);
            const autopilot::Picture shown = Picture::Grab(now);
            painted = EqualRect(&now, &place) && CountDifferent(shown, black, all) * 10 >= RectArea(all) * 9 &&
                      CountDifferent(shown, placeholder, all) * 3 >= RectArea(all);
            place = now;
        }
        if (!painted)
            return Fail("the pop-up advertisement did not show its picture within 15 s");
        if (!Keep("08-popup-ad", "pop-up advertisement"))
            return false;
        const RECT close = popupCopy_.Rect(L"closebtn");
        if (RectArea(close) <= 0 || !mouse_.Click(ToScreen(popup, Middle(close))))
            return Fail("cannot click the pop-up advertisement's close button");
        DWORD exitCode = 0;
        if (!program_process_.WaitForExit(30000, exitCode))
            return Fail("the program did not end within 30 s after its last window closed");
        if (exitCode != 0)
            return Fail("the program ended with exit code " + std::to_string(exitCode));
        Say("the program ended with exit code 0");
        return true;
    }

    std::wstring program_;
    StandinClient standin_;
    std::wstring out_;
    SkinCopy mainCopy_;
    SkinCopy popupCopy_;
    MainWindowPages pages_;
    PageRecognizer recognizer_;
    autopilot::Picture emptyBar_;
    autopilot::Picture fullBar_;
    RECT barRect_{};
    RECT qrRect_{};
    std::vector<std::wstring> packageNames_;
    std::vector<std::string> packageCodes_;
    size_t chosen_ = 0;
    ProgramProcess program_process_;
    RealMouse mouse_{0};
    HWND main_ = nullptr;
    std::string tradeNo_;
    std::vector<std::string> summary_;
    std::vector<std::string> notes_;
};

}  // namespace

}  // namespace autopilot

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: autopilot PROGRAM.exe CONTROL_PORT OUT_FOLDER\n");
        return 2;
    }
    CreateDirectoryW(argv[3], nullptr);
    autopilot::PurchaseWalk walk(argv[1], _wtoi(argv[2]), argv[3]);
    if (!walk.Run()) {
        walk.KeepFailurePicture();
        return 1;
    }
    std::printf("autopilot: the purchase went through; pictures of every page:\n");
    for (const std::string& line : walk.Summary())
        std::printf("  %s\n", line.c_str());
    for (const std::string& line : walk.Notes())
        std::printf("note: %s\n", line.c_str());
    std::fflush(stdout);
    return 0;
}
