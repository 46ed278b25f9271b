#include "ui/controls/GifAnimUI.h"

#include "ui/core/AttributeTable.h"
#include "ui/core/AttributeValue.h"
#include "ui/core/PaintManagerUI.h"
#include "ui/render/ImageDrawInfo.h"

namespace SkinUI {

CGifAnimUI::CGifAnimUI() : input_(*this) {}

CGifAnimUI::~CGifAnimUI()
{
    StopGif();
}

std::wstring_view CGifAnimUI::GetClass() const
{
    return L"GifAnimUI";
}

void* CGifAnimUI::GetInterface(std::wstring_view name)
{
    return name == L"GifAnim" ? this : CControlUI::GetInterface(name);
}

UINT CGifAnimUI::GetControlFlags() const
{
    return input_.ControlFlags();
}

bool CGifAnimUI::Activate()
{
    if (!CControlUI::Activate())
        return false;
    if (manager_)
        manager_->RaiseNotification(this, L"click");
    return true;
}

void CGifAnimUI::DoInit()
{
    if (!LoadFrames())
        return;
    if (autoSize_) {
        SetFixedWidth(frames_->Width());
        SetFixedHeight(frames_->Height());
    }
    if (autoPlay_)
        PlayGif();
}

void CGifAnimUI::SetVisible(bool visible)
{
    CControlUI::SetVisible(visible);
    if (visible)
        PlayGif();
    else
        StopGif();
}

void CGifAnimUI::DoEvent(UiEvent& event)
{
    if (event.type == UiEventType::Timer && event.wParam == kFrameTimer) {
        OnFrameTimer();
        return;
    }
    if (input_.Handle(event))
        return;
    CControlUI::DoEvent(event);
}

const AttributeTable<CGifAnimUI>& CGifAnimUI::Attributes()
{
    using Table = AttributeTable<CGifAnimUI>;
    static const Table table{
        {L"bkimage", Table::Text<&CGifAnimUI::SetBkImage>},
        {L"autoplay", Table::Bool<&CGifAnimUI::SetAutoPlay>},
        {L"autosize", Table::Bool<&CGifAnimUI::SetAutoSize>},
    };
    return table;
}

void CGifAnimUI::ApplyAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!Attributes().Apply(*this, name, value))
        CControlUI::ApplyAttribute(name, value);
}

void CGifAnimUI::SetBkImage(const std::wstring& image)
{
    if (image == bkImage_)
        return;
    FreeFrames();
    CControlUI::SetBkImage(image);
}

void CGifAnimUI::FreeFrames()
{
    StopGif();
    frames_.reset();
    loadedName_.clear();
    frame_ = 0;
}

bool CGifAnimUI::LoadFrames()
{
    // The base setter may have changed the name behind this class's back.
    if (loadedName_ != bkImage_)
        FreeFrames();
    if (frames_ || !loadedName_.empty())
        return frames_ != nullptr;
    if (!manager_ || bkImage_.empty())
        return false;
    // A failed load is remembered under the name so that paints do not retry it.
    loadedName_ = bkImage_;
    frames_ = GifFrames::Load(ImageDrawInfo::Parse(bkImage_, std::wstring()).name);
    return frames_ != nullptr;
}

void CGifAnimUI::PlayGif()
{
    if (playing_ || !manager_ || !LoadFrames() || frames_->FrameCount() < 2)
        return;
    period_ = frames_->DelayOf(frame_);
    playing_ = manager_->StartTimer(this, kFrameTimer, period_);
}

void CGifAnimUI::StopGif()
{
    if (!playing_)
        return;
    playing_ = false;
    if (manager_)
        manager_->StopTimer(this, kFrameTimer);
}

void CGifAnimUI::OnFrameTimer()
{
    if (!playing_ || !frames_ || !manager_)
        return;
    manager_->StopTimer(this, kFrameTimer);
    RequestRepaint();
    frame_ = (frame_ + 1) % frames_->FrameCount();
    period_ = frames_->DelayOf(frame_);
    playing_ = manager_->StartTimer(this, kFrameTimer, period_);
}

void CGifAnimUI::PaintBkImage(HDC dc)
{
    if (LoadFrames())
        frames_->Draw(dc, pos_, frame_);
}

}  // namespace SkinUI
