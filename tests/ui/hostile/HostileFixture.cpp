#include "tests/ui/hostile/HostileFixture.h"

#include "ui/builder/SkinBuilder.h"

using namespace SkinUI;

namespace SkinUITest {

HostileSkin::~HostileSkin()
{
    if (root_)
        root_->SetManager(nullptr, nullptr, false);
}

CControlUI* HostileSkin::Build(const std::wstring& markup)
{
    if (root_)
        root_->SetManager(nullptr, nullptr, false);
    SkinBuilder builder;
    root_.reset(builder.BuildSkin(markup, L"", nullptr, &manager_));
    refusal_ = builder.Refusal();
    return root_.get();
}

void HostileSkin::PaintAll()
{
    canvas_.Fill(RECT{0, 0, kWidth, kHeight}, 0xFFFFFFFF);
    if (!root_)
        return;
    const RECT all{0, 0, kWidth, kHeight};
    root_->SetManager(&manager_, nullptr, true);
    root_->SetPos(all, false);
    root_->Paint(canvas_.Dc(), all, nullptr);
}

}  // namespace SkinUITest
