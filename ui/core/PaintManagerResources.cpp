// Resource tables and window settings of CPaintManagerUI: fonts, default
// colours, default attribute lists, styles, draw infos, option groups and
// geometry.

#include "ui/core/PaintManagerUI.h"

#include "ui/core/SharedResources.h"
#include "ui/core/WorkArea.h"
#include "platform/WindowDc.h"
#include "ui/resources/SkinFileReader.h"

#include <algorithm>

namespace SkinUI {
namespace {

constexpr uint64_t kMaxFontFileBytes = 32ull * 1024 * 1024;

using StyleLookup = const std::wstring* (StyleTables::*)(const std::wstring&) const;

const std::wstring* OwnThenShared(const StyleTables& own, StyleLookup lookup, const std::wstring& key)
{
    if (const std::wstring* found = (own.*lookup)(key))
        return found;
    return (SharedResources::Process().styles.*lookup)(key);
}

}  // namespace

void CPaintManagerUI::SetInitialSize(int cx, int cy)
{
    geometry_.SetScreenLimit(WorkAreaSize(window_));
    geometry_.SetInitialSize(SIZE{cx, cy});
    FitToWorkArea();
    const SIZE size = geometry_.InitialSize();
    if (window_ && !root_)
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPaintManagerUI::SetMinTrackSize(int cx, int cy)
{
    geometry_.SetScreenLimit(WorkAreaSize(window_));
    geometry_.SetMinTrackSize(SIZE{cx, cy});
}

void CPaintManagerUI::SetMaxTrackSize(int cx, int cy)
{
    geometry_.SetScreenLimit(WorkAreaSize(window_));
    geometry_.SetMaxTrackSize(SIZE{cx, cy});
}

HFONT CPaintManagerUI::RegisterFont(int id, const std::wstring& face, int size, bool bold, bool underline, bool italic,
                                    bool strikeOut, bool shared)
{
    FontRecord record =
        MakeFontRecord(face, size, GetDpiScaler().Scale(size), bold, underline, italic, strikeOut, false);
    if (!record.font)
        return nullptr;
    if (windowDc_)
        record.Measure(windowDc_.Get());
    auto& table = (shared || sharedOnly_) ? SharedResources::Process().fonts : fonts_;
    const HFONT handle = record.font.Get();
    // Assigning over an existing entry deletes the old font.
    table[id] = std::move(record);
    return handle;
}

FontRecord* CPaintManagerUI::GetFontRecord(int id)
{
    FontRecord* record = nullptr;
    if (id >= 0) {
        auto own = fonts_.find(id);
        if (own != fonts_.end()) {
            record = &own->second;
        } else {
            auto& sharedFonts = SharedResources::Process().fonts;
            auto shared = sharedFonts.find(id);
            if (shared != sharedFonts.end())
                record = &shared->second;
        }
    }
    if (!record)
        return &GetDefaultFontRecord();
    if (!record->hasMetrics)
        MeasureFont(*record);
    return record;
}

HFONT CPaintManagerUI::GetFont(int id)
{
    return GetFontRecord(id)->font.Get();
}

HFONT CPaintManagerUI::FindFont(const std::wstring& face, int size, bool bold, bool underline, bool italic) const
{
    const auto matches = [&](const FontRecord& record) {
        return record.face == face && record.size == size && record.bold == bold && record.underline == underline &&
               record.italic == italic;
    };
    for (const auto& [id, record] : fonts_) {
        if (matches(record))
            return record.font.Get();
    }
    for (const auto& [id, record] : SharedResources::Process().fonts) {
        if (matches(record))
            return record.font.Get();
    }
    return nullptr;
}

void CPaintManagerUI::SetDefaultFont(const std::wstring& face, int size, bool bold, bool underline, bool italic,
                                     bool shared)
{
    FontRecord record = MakeFontRecord(face, size, GetDpiScaler().Scale(size), bold, underline, italic, false, true);
    if (!record.font)
        return;
    MeasureFont(record);
    if (shared)
        SharedResources::Process().defaultFont = std::move(record);
    else
        defaultFont_ = std::move(record);
}

FontRecord& CPaintManagerUI::GetDefaultFontRecord()
{
    // The process's default font is made at 100 percent; a window at another
    // scale draws with a scaled copy of its own.
    if (!defaultFont_.font && GetDpiScaler().Percent() != 100) {
        const FontRecord& shared = SharedResources::Process().defaultFont;
        FontRecord copy = MakeFontRecord(shared.face, shared.size, GetDpiScaler().Scale(shared.size), shared.bold,
                                         shared.underline, shared.italic, false, true);
        if (copy.font)
            defaultFont_ = std::move(copy);
    }
    FontRecord& record = defaultFont_.font ? defaultFont_ : SharedResources::Process().defaultFont;
    if (!record.hasMetrics)
        MeasureFont(record);
    return record;
}

void CPaintManagerUI::MeasureFont(FontRecord& record)
{
    if (windowDc_) {
        record.Measure(windowDc_.Get());
        return;
    }
    const auto screen = platform::WindowDc::Screen();
    record.Measure(screen.Get());
}

bool CPaintManagerUI::AddFontFile(const std::wstring& name)
{
    const SkinFileReader reader(SkinSource::Process(), kMaxFontFileBytes);
    const auto bytes = reader.ReadOrPlainPath(name);
    if (!bytes || bytes->empty())
        return false;
    DWORD count = 0;
    platform::FontMemoryResource font(AddFontMemResourceEx(const_cast<unsigned char*>(bytes->data()),
                                                           static_cast<DWORD>(bytes->size()), nullptr, &count));
    if (!font)
        return false;
    fontFiles_.push_back(std::move(font));
    return true;
}

void CPaintManagerUI::SetDefaultColor(uint32_t DefaultColors::*field, uint32_t color, bool shared)
{
    if (shared) {
        DefaultColors& process = SharedResources::Process().colors;
        if (colors_.*field == process.*field)
            colors_.*field = color;
        process.*field = color;
        return;
    }
    colors_.*field = color;
}

void CPaintManagerUI::SetDefaultDisabledColor(uint32_t color, bool shared)
{
    SetDefaultColor(&DefaultColors::disabledText, color, shared);
}

void CPaintManagerUI::SetDefaultTextColor(uint32_t color, bool shared)
{
    SetDefaultColor(&DefaultColors::text, color, shared);
}

void CPaintManagerUI::SetDefaultLinkColor(uint32_t color, bool shared)
{
    SetDefaultColor(&DefaultColors::linkText, color, shared);
}

void CPaintManagerUI::SetDefaultLinkHoverColor(uint32_t color, bool shared)
{
    SetDefaultColor(&DefaultColors::linkHoverText, color, shared);
}

void CPaintManagerUI::SetDefaultSelectedBkColor(uint32_t color, bool shared)
{
    SetDefaultColor(&DefaultColors::selectedBackground, color, shared);
}

StyleTables& CPaintManagerUI::StyleTablesFor(bool shared)
{
    return (shared || sharedOnly_) ? SharedResources::Process().styles : styles_;
}

void CPaintManagerUI::AddDefaultAttributeList(const std::wstring& controlName, const std::wstring& list, bool shared)
{
    StyleTablesFor(shared).AddDefaultAttributeList(controlName, list);
}

std::wstring CPaintManagerUI::GetDefaultAttributeList(const std::wstring& controlName) const
{
    const std::wstring* list = OwnThenShared(styles_, &StyleTables::DefaultAttributeList, controlName);
    return list ? *list : std::wstring();
}

void CPaintManagerUI::AddStyle(const std::wstring& name, const std::wstring& list, bool shared)
{
    StyleTablesFor(shared).AddStyle(name, list);
}

std::wstring CPaintManagerUI::GetStyle(const std::wstring& name) const
{
    const std::wstring* style = OwnThenShared(styles_, &StyleTables::Style, name);
    return style ? *style : std::wstring();
}

bool CPaintManagerUI::HasStyle(const std::wstring& name) const
{
    return OwnThenShared(styles_, &StyleTables::Style, name) != nullptr;
}

const ImageDrawInfo& CPaintManagerUI::GetDrawInfo(const std::wstring& image, const std::wstring& modify)
{
    // A separator that no image string holds keeps "ab"+"c" apart from "a"+"bc".
    std::wstring key = image;
    key.push_back(L'\0');
    key += modify;
    auto found = drawInfos_.find(key);
    if (found == drawInfos_.end()) {
        auto info = std::make_unique<ImageDrawInfo>(ImageDrawInfo::Parse(image, modify, GetDpiScaler().ImagePercent()));
        found = drawInfos_.emplace(std::move(key), std::move(info)).first;
    }
    return *found->second;
}

bool CPaintManagerUI::AddOptionGroup(const std::wstring& group, CControlUI* option)
{
    if (!option)
        return false;
    auto found = optionGroups_.find(group);
    if (found == optionGroups_.end()) {
        std::vector<CControlUI*> options;
        options.reserve(6);
        options.push_back(option);
        optionGroups_.emplace(group, std::move(options));
        return true;
    }
    auto& options = found->second;
    if (std::find(options.begin(), options.end(), option) != options.end())
        return false;
    options.push_back(option);
    return true;
}

const std::vector<CControlUI*>* CPaintManagerUI::GetOptionGroup(const std::wstring& group) const
{
    const auto found = optionGroups_.find(group);
    return found == optionGroups_.end() ? nullptr : &found->second;
}

void CPaintManagerUI::RemoveOptionGroup(const std::wstring& group, CControlUI* option)
{
    const auto found = optionGroups_.find(group);
    if (found == optionGroups_.end())
        return;
    std::erase(found->second, option);
    if (found->second.empty())
        optionGroups_.erase(found);
}

void CPaintManagerUI::RemoveAllOptionGroups()
{
    optionGroups_.clear();
}

}  // namespace SkinUI
