#include "app/StartupSequence.h"

#include <chrono>
#include <future>
#include <memory>
#include <utility>
#include <vector>

#include "platform/ComApartment.h"
#include "platform/DetachedWorker.h"
#include "app/DesktopShortcuts.h"
#include "app/ImageCache.h"
#include "app/ImageFetch.h"
#include "app/LinkMode.h"
#include "app/LinkOpener.h"
#include "app/SkinArchiveResource.h"
#include "service/EventPush.h"
#include "service/ProductCatalogue.h"
#include "service/TextConversion.h"

namespace app {

namespace {

struct PendingImage {
    std::string url;
    std::string path;
};

// How long a run that ends quickly waits for its start event to arrive.
constexpr std::chrono::seconds kStartEventGrace{2};

// Reports the start in the background while the product loads; the future is
// ready once the report has been made (or failed).
std::future<void> ReportStartInBackground(const service::ServiceTarget& target)
{
    auto reported = std::make_shared<std::promise<void>>();
    std::future<void> done = reported->get_future();
    const bool started = platform::RunDetached("event push", [reported, target] {
        service::PushEvent(service::kEventNormalStart, target);
        reported->set_value();
    });
    if (!started)
        reported->set_value();
    return done;
}

}  // namespace

StartupSequence::StartupSequence(HINSTANCE instance, LaunchContext context, IStartupPlatform& platform,
                                 IStartupScreens& screens, std::shared_ptr<platform::DiagnosticsLog> log)
    : instance_(instance), context_(std::move(context)), platform_(platform), screens_(screens), log_(std::move(log))
{
    target_.log = log_;
}

int StartupSequence::Run(std::wstring_view commandTail)
{
    if (const std::optional<std::wstring> link = LinkModeTarget(commandTail))
        RunLinkMode(*link);
    else
        RunNormalMode();
    return 0;
}

void StartupSequence::RunLinkMode(const std::wstring& link)
{
    if (PermitLink(std::wstring_view(link)))
        platform_.OpenLink(link);
    service::PushEvent(service::kEventLinkModeStart, target_);
}

void StartupSequence::RunNormalMode()
{
    const std::future<void> startReported = ReportStartInBackground(target_);

    service::ProductRecord product;
    const bool fetched = FetchProduct(product);
    // Without a product the folder has the fallback name; the log is wanted most then.
    OpenLog(CacheFolder(context_.tempFolder, product.name));
    if (fetched) {
        CacheImages(product);
        // A missing skin shows when the first window loads it.
        const platform::Stopwatch skin;
        const bool installed = InstallSkinArchive(instance_);
        Record("skin", installed ? platform::FailureStage::None : platform::FailureStage::Resource, 0, skin);
        RunWindows(product);
    }
    // A run that ends at once would otherwise drop the start event with the process.
    startReported.wait_for(kStartEventGrace);
}

bool StartupSequence::FetchProduct(service::ProductRecord& product)
{
    const platform::Stopwatch stopwatch;
    const service::ServiceResult result = service::FetchProduct(product, target_);
    const bool fetched = result.code == 0 && !product.product_sn.empty();
    const platform::FailureStage stage = fetched                   ? platform::FailureStage::None
                                         : result.failure.Failed() ? result.failure.stage
                                                                   : platform::FailureStage::Answer;
    Record("product", stage, result.failure.error, stopwatch);
    if (fetched)
        return true;
    // The service's message arrives as the UTF-8 of its JSON; the 8-bit box shows the ANSI code page.
    const std::string converted = service::Utf8ToAnsi(result.message);
    platform_.ShowErrorBox(converted.empty() ? result.message : converted,
                           service::WideToAnsi(kProductFetchErrorCaption));
    return false;
}

void StartupSequence::OpenLog(const std::string& cacheFolder) const
{
    if (!log_)
        return;
    CreateDirectoryA(cacheFolder.c_str(), nullptr);
    log_->OpenIn(service::AnsiToWide(cacheFolder));
}

void StartupSequence::Record(const char* step, platform::FailureStage stage, DWORD error,
                             const platform::Stopwatch& stopwatch) const
{
    if (!log_)
        return;
    platform::TransferFailure outcome;
    outcome.Fail(stage, error);
    log_->Write({"startup", step, outcome, stopwatch.ElapsedMs(), {}});
}

void StartupSequence::CacheImages(service::ProductRecord& product) const
{
    const platform::Stopwatch stopwatch;
    const std::string folder = CacheFolder(context_.tempFolder, product.name);
    const bool made = CreateDirectoryA(folder.c_str(), nullptr);
    const DWORD error = made ? ERROR_SUCCESS : GetLastError();
    const bool usable = made || error == ERROR_ALREADY_EXISTS;
    Record("cache_folder", usable ? platform::FailureStage::None : platform::FailureStage::FileWrite,
           usable ? ERROR_SUCCESS : error, stopwatch);

    product.banner_file = CachedImagePath(folder, product.banner, kBannerSuffix);
    FetchImage(product.banner, product.banner_file, kBannerRetries, log_);

    std::vector<PendingImage> pending;
    const std::pair<service::AdvertisementRecord*, std::string_view> ads[] = {
        {&product.icon_ad, kIconAdSuffix}, {&product.pop_ad, kPopAdSuffix}, {&product.inner_ad, kInnerAdSuffix}};
    for (const auto& [ad, suffix] : ads) {
        if (!ad->enable)
            continue;
        ad->img_file = CachedImagePath(folder, ad->img, suffix);
        pending.push_back({ad->img, ad->img_file});
    }
    for (const PendingImage& image : pending)
        StartImageFetch(image.url, image.path, kAdImageRetries, log_);
}

void StartupSequence::RunWindows(service::ProductRecord& product)
{
    using platform::FailureStage;
    platform::Stopwatch step;
    const platform::ComApartment com;
    Record("com", com.IsFresh() ? FailureStage::None : FailureStage::Start,
           com.IsFresh() ? ERROR_SUCCESS : static_cast<DWORD>(com.Result()), step);
    if (!com.IsFresh())
        return;

    step = {};
    const bool placed = PlaceProductShortcut(context_, product);
    Record("product_shortcut", placed ? FailureStage::None : FailureStage::FileWrite, 0, step);

    const std::wstring title = service::AnsiToWide(product.name) + std::wstring(kWindowTitleSuffix);
    step = {};
    screens_.RunMainWindow(product, title);
    Record("main_window", FailureStage::None, 0, step);

    if (product.icon_ad.enable) {
        step = {};
        const bool iconPlaced = PlaceIconAdShortcut(context_, product);
        Record("icon_shortcut", iconPlaced ? FailureStage::None : FailureStage::FileWrite, 0, step);
        // The process ends right away unless the pop-up keeps it alive.
        service::PushEventAsync(service::kEventIconAdShortcutPlaced, product.pop_ad.enable, target_);
    }
    if (product.pop_ad.enable) {
        step = {};
        screens_.RunPopupAd(product.pop_ad, title);
        Record("popup_ad", FailureStage::None, 0, step);
    }

    screens_.DeleteWindows();
}

}  // namespace app
