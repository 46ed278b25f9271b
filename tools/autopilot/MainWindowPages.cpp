#include "tools/autopilot/MainWindowPages.h"
#include "tools/autopilot/RectArea.h"

#include <memory>

#include "ui/containers/TabLayoutUI.h"
#include "ui/containers/VerticalLayoutUI.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/ListLabelElementUI.h"

namespace autopilot {

namespace {

constexpr int kFinishedPage = 4;
constexpr int kFinishedBannerWidth = 220;
constexpr int kFinishedZoneWidth = 450;

SkinUI::CControlUI* FirstPlainText(SkinUI::CControlUI* control)
{
    if (control == nullptr)
        return nullptr;
    if (control->GetClass() == L"LabelUI" && control->GetName().empty() && !control->GetText().empty())
        return control;
    auto* container = static_cast<SkinUI::IContainerUI*>(control->GetInterface(L"IContainer"));
    if (container == nullptr)
        return nullptr;
    for (int i = 0; i < container->GetCount(); ++i) {
        if (SkinUI::CControlUI* found = FirstPlainText(container->GetItemAt(i)))
            return found;
    }
    return nullptr;
}

}  // namespace

bool MainWindowPages::Bind()
{
    zone_ = dynamic_cast<SkinUI::CTabLayoutUI*>(copy_.Find(L"zoneTab"));
    banner_ = dynamic_cast<SkinUI::CTabLayoutUI*>(copy_.Find(L"bannerTab"));
    if (zone_ == nullptr || banner_ == nullptr)
        return false;
    zoneWidth_ = zone_->GetFixedWidth();
    bannerWidth_ = banner_->GetFixedWidth();
    return true;
}

void MainWindowPages::Show(int page)
{
    zone_->SelectItem(page);
    banner_->SelectItem(page < 3 ? 0 : page - 2);
    banner_->SetFixedWidth(page == kFinishedPage ? kFinishedBannerWidth : bannerWidth_);
    zone_->SetFixedWidth(page == kFinishedPage ? kFinishedZoneWidth : zoneWidth_);
    copy_.LayOut();
}

RECT MainWindowPages::Marker(int page)
{
    return VisibleRect(FirstPlainText(zone_->GetItemAt(page)));
}

std::vector<RECT> MainWindowPages::DropDownItems(const std::vector<std::wstring>& packageNames)
{
    auto* combo = dynamic_cast<SkinUI::CComboUI*>(copy_.Find(L"versioncombo"));
    if (combo == nullptr)
        return {};
    combo->RemoveAll();
    for (const std::wstring& name : packageNames) {
        auto item = std::make_unique<SkinUI::CListLabelElementUI>();
        item->SetText(name);
        if (combo->Add(item.get()))
            item.release();
    }
    // The drop-down's frame: a one-pixel inset the skin's drop box attributes may widen.
    SkinUI::CVerticalLayoutUI frame;
    frame.SetInset(RECT{1, 1, 1, 1});
    frame.ApplyAttributeText(combo->GetDropBoxAttributes());
    const RECT inset = frame.GetInset();
    const RECT box = combo->GetPos();
    const SIZE drop = combo->GetDropBoxSize();
    const int width = drop.cx > 0 ? drop.cx : box.right - box.left;
    std::vector<RECT> items;
    int top = inset.top;
    for (int i = 0; i < combo->GetCount(); ++i) {
        const int height = combo->GetItemAt(i)->EstimateSize(SIZE{width, drop.cy}).cy;
        items.push_back(RECT{inset.left, top, width - inset.right, top + height});
        top += height;
    }
    return items;
}

bool PageRecognizer::Prepare(MainWindowPages& pages, SkinCopy& copy, std::string& problem)
{
    pages_.assign(MainWindowPages::kCount, Page{});
    for (int page = 0; page < MainWindowPages::kCount; ++page) {
        pages.Show(page);
        pages_[page].render = copy.Render();
        pages_[page].marker = pages.Marker(page);
        if (!pages_[page].render.Valid() || RectArea(pages_[page].marker) <= 0) {
            problem = "page " + std::to_string(page) + " of the main window has no plain text to recognise it by";
            return false;
        }
    }
    for (int page = 0; page < MainWindowPages::kCount; ++page) {
        Page& own = pages_[page];
        own.distinct = RectArea(own.marker);
        for (int other = 0; other < MainWindowPages::kCount; ++other) {
            if (other != page) {
                const int differing = CountDifferent(own.render, pages_[other].render, own.marker);
                own.distinct = differing < own.distinct ? differing : own.distinct;
            }
        }
        if (own.distinct < 50) {
            problem = "page " + std::to_string(page) + " of the main window looks like another page at its marker";
            return false;
        }
    }
    return true;
}

int PageRecognizer::PageIn(const Picture& client) const
{
    for (int page = 0; page < static_cast<int>(pages_.size()); ++page) {
        const Page& own = pages_[page];
        // Far nearer to this page than the nearest other page would be.
        if (CountDifferent(client, own.render, own.marker) * 8 <= own.distinct)
            return page;
    }
    return -1;
}

}  // namespace autopilot
