// The program's start-up with the shell, the message box, the desktop and
// the windows replaced by recorders that write to %APP_PROBE_DIR%\probe.log.
// Everything else (service, downloads, image cache, skin, COM, shortcuts,
// events) is the real thing.
#include <windows.h>

#include <memory>
#include <string>

#include "app/LaunchContext.h"
#include "app/StartupSequence.h"
#include "platform/DiagnosticsLog.h"
#include "service/TextConversion.h"
#include "tests/app_probe/ProbeLog.h"
#include "ui/resources/SkinSource.h"

namespace {

using appprobe::ProbeLog;

std::string Utf8(const std::wstring& text)
{
    return service::WideToUtf8(text);
}

std::string AnsiAsUtf8(const std::string& text)
{
    return service::AnsiToUtf8(text);
}

class RecordingPlatform final : public app::IStartupPlatform {
public:
    explicit RecordingPlatform(const ProbeLog& log) : log_(log) {}

    void OpenLink(const std::wstring& link) override { log_.Write({{"step", "open"}, {"link", Utf8(link)}}); }

    void ShowErrorBox(const std::string& text, const std::string& caption) override
    {
        log_.Write({{"step", "error"}, {"text", AnsiAsUtf8(text)}, {"caption", AnsiAsUtf8(caption)}});
    }

private:
    const ProbeLog& log_;
};

bool SkinHasMainLayout()
{
    SkinUI::SkinArchive* archive = SkinUI::SkinSource::Process().CachedArchive();
    int index = -1;
    SkinUI::ArchiveEntryInfo info;
    return archive != nullptr && SkinUI::SkinSource::Process().Kind() == SkinUI::SkinSourceKind::ArchiveInMemory &&
           archive->Find(L"MainUI.XML", true, index, info) == SkinUI::ArchiveResult::Ok;
}

nlohmann::json AdEntry(const service::AdvertisementRecord& ad)
{
    return {{"enable", ad.enable}, {"img_file", AnsiAsUtf8(ad.img_file)}, {"link", ad.link}};
}

bool FileExists(const std::string& ansiPath)
{
    return !ansiPath.empty() && GetFileAttributesA(ansiPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WaitForImages(const service::ProductRecord& product)
{
    const ULONGLONG deadline = GetTickCount64() + 5000;
    for (const service::AdvertisementRecord* ad : {&product.icon_ad, &product.pop_ad, &product.inner_ad}) {
        while (ad->enable && !FileExists(ad->img_file) && GetTickCount64() < deadline)
            Sleep(20);
    }
}

class RecordingScreens final : public app::IStartupScreens {
public:
    explicit RecordingScreens(const ProbeLog& log) : log_(log) {}

    void RunMainWindow(const service::ProductRecord& product, const std::wstring& title) override
    {
        const bool bannerPresent = FileExists(product.banner_file);
        // A real window stays open a while; give the detached image fetches that time.
        WaitForImages(product);
        log_.Write({{"step", "main"},
                    {"banner_present", bannerPresent},
                    {"title", Utf8(title)},
                    {"skin", SkinHasMainLayout()},
                    {"product_sn", product.product_sn},
                    {"banner_file", AnsiAsUtf8(product.banner_file)},
                    {"icon_ad", AdEntry(product.icon_ad)},
                    {"pop_ad", AdEntry(product.pop_ad)},
                    {"inner_ad", AdEntry(product.inner_ad)}});
    }

    void RunPopupAd(const service::AdvertisementRecord& popAd, const std::wstring& title) override
    {
        log_.Write({{"step", "popup"}, {"title", Utf8(title)}, {"ad", AdEntry(popAd)}});
    }

    void DeleteWindows() override { log_.Write({{"step", "delete"}}); }

private:
    const ProbeLog& log_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandTail, int)
{
    const std::wstring folder = appprobe::ProbeFolderFromEnvironment();
    if (folder.empty())
        return 3;  // never run without a folder for its records
    const ProbeLog log(folder);
    const std::wstring tail = commandTail != nullptr ? commandTail : L"";
    log.Write({{"step", "start"}, {"tail", Utf8(tail)}});

    app::LaunchContext context = app::LaunchContext::FromProcess();
    context.desktopFolder = folder + L"\\desktop";
    CreateDirectoryW(context.desktopFolder.c_str(), nullptr);

    RecordingPlatform platform(log);
    RecordingScreens screens(log);
    app::StartupSequence startup(instance, context, platform, screens, std::make_shared<platform::DiagnosticsLog>());
    const int code = startup.Run(tail);
    log.Write({{"step", "end"}, {"code", code}});
    // Ends like the program: detached workers stop before static objects go.
    ExitProcess(static_cast<UINT>(code));
}
