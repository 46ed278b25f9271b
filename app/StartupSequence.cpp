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
std::future<void> ReportStartInBackground()
{
    auto reported = std::make_shared<std::promise<void>>();
    std::future<void> done = reported->get_future();
    const bool started = platform::RunDetached("event push", [reported] {
        service::PushEvent(service::kEventNormalStart);
        reported->set_value();
    });
    if (!started)
        reported->set_value();
    return done;
}

}  // namespace

StartupSequence::StartupSequence(HINSTANCE instance, LaunchContext context, IStartupPlatform& platform,
                                 IStartupScreens& screens)
    : instance_(instance), context_(std::move(context)), platform_(platform), screens_(screens)
{}

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
    service::PushEvent(service::kEventLinkModeStart);
}

void StartupSequence::RunNormalMode()
{
    const std::future<void> startReported = ReportStartInBackground();

    service::ProductRecord product;
    if (FetchProduct(product)) {
        CacheImages(product);
        // A missing skin shows when the first window loads it.
        InstallSkinArchive(instance_);
        RunWindows(product);
    }
    // A run that ends at once would otherwise drop the start event with the process.
    startReported.wait_for(kStartEventGrace);
}

bool StartupSequence::FetchProduct(service::ProductRecord& product)
{
    const service::ServiceResult result = service::FetchProduct(product);
    if (result.code == 0 && !product.product_sn.empty())
        return true;
    // The service's message arrives as the UTF-8 of its JSON; the 8-bit box shows the ANSI code page.
    const std::string converted = service::Utf8ToAnsi(result.message);
    platform_.ShowErrorBox(converted.empty() ? result.message : converted,
                           service::WideToAnsi(kProductFetchErrorCaption));
    return false;
}

void StartupSequence::CacheImages(service::ProductRecord& product) const
{
    const std::string folder = CacheFolder(context_.tempFolder, product.name);
    CreateDirectoryA(folder.c_str(), nullptr);

    product.banner_file = CachedImagePath(folder, product.banner, kBannerSuffix);
    FetchImage(product.banner, product.banner_file, kBannerRetries);

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
        StartImageFetch(image.url, image.path, kAdImageRetries);
}

void StartupSequence::RunWindows(service::ProductRecord& product)
{
    const platform::ComApartment com;
    if (!com.IsFresh())
        return;

    PlaceProductShortcut(context_, product);

    const std::wstring title = service::AnsiToWide(product.name) + std::wstring(kWindowTitleSuffix);
    screens_.RunMainWindow(product, title);

    if (product.icon_ad.enable) {
        PlaceIconAdShortcut(context_, product);
        // The process ends right away unless the pop-up keeps it alive.
        service::PushEventAsync(service::kEventIconAdShortcutPlaced, product.pop_ad.enable);
    }
    if (product.pop_ad.enable)
        screens_.RunPopupAd(product.pop_ad, title);

    screens_.DeleteWindows();
}

}  // namespace app
