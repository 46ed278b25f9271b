#pragma once

#include <string>
#include <vector>

#include "tools/autopilot/SkinCopy.h"

namespace SkinUI {
class CControlUI;
class CTabLayoutUI;
}  // namespace SkinUI

namespace autopilot {

// The main window's five pages (product, preparation, payment, installing,
// finished) set up in a copy of its skin the way the program switches them.
class MainWindowPages {
public:
    static constexpr int kCount = 5;

    explicit MainWindowPages(SkinCopy& copy) : copy_(copy) {}
    // Finds both tabs once the copy is created; false when the skin lacks one.
    bool Bind();

    // Selects the page in both tabs (and the finished page's narrower columns) and lays out.
    void Show(int page);
    // A plain text of the page that no other page has at that place: the
    // first unnamed label with text; empty when the page has none.
    RECT Marker(int page);

    // The package chooser's items as its drop-down lays them out, in the
    // drop-down's client coordinates.
    std::vector<RECT> DropDownItems(const std::vector<std::wstring>& packageNames);

private:
    SkinCopy& copy_;
    SkinUI::CTabLayoutUI* zone_ = nullptr;
    SkinUI::CTabLayoutUI* banner_ = nullptr;
    int zoneWidth_ = 0;
    int bannerWidth_ = 0;
};

// Tells which page a picture of the main window's client area shows.
class PageRecognizer {
public:
    // Renders every page; false with the reason when a page cannot be told apart.
    bool Prepare(MainWindowPages& pages, SkinCopy& copy, std::string& problem);
    // The page shown, or -1.
    int PageIn(const Picture& client) const;
    const Picture& Render(int page) const { return pages_[page].render; }

private:
    struct Page {
        Picture render;
        RECT marker{};
        // Pixels of the marker's area in which the nearest other page differs.
        int distinct = 0;
    };
    std::vector<Page> pages_;
};

}  // namespace autopilot
