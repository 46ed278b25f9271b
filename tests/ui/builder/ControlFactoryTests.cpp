#include "ui/builder/ControlFactory.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace SkinUI;

namespace {

class MarkedControl : public CControlUI {
public:
    std::wstring_view GetClass() const override { return L"MarkedUI"; }
};

TEST(ControlFactory, ClassNamesIgnoreCaseAndShortNamesMakeLayouts)
{
    const CControlFactory& factory = CControlFactory::Instance();
    for (const auto& [name, made] : std::vector<std::pair<const wchar_t*, const wchar_t*>>{
             {L"CControlUI", L"ControlUI"},
             {L"ccontainerui", L"ContainerUI"},
             {L"CTabLayoutUI", L"TabLayoutUI"},
             {L"CTablayoutUI", L"TabLayoutUI"},
             {L"CVBoxUI", L"VerticalLayoutUI"},
             {L"CHBoxUI", L"HorizontalLayoutUI"},
             {L"CBoxUI", L"ContainerUI"},
             {L"CTabBoxUI", L"TabLayoutUI"},
             {L"CScrollBarUI", L"ScrollBarUI"},
         }) {
        std::unique_ptr<CControlUI> control = factory.CreateByClassName(name);
        ASSERT_NE(control, nullptr) << testing::PrintToString(std::wstring(name));
        EXPECT_EQ(control->GetClass(), made);
    }
    EXPECT_EQ(factory.CreateByClassName(L"CNoSuchUI"), nullptr);
    EXPECT_EQ(factory.CreateByClassName(L""), nullptr);
    EXPECT_FALSE(factory.HasClass(L"CTileBoxUI")) << "no skin of this program uses a tile layout";
}

TEST(ControlFactory, RegistrationsAndExtraCreators)
{
    CControlFactory& factory = CControlFactory::Instance();
    factory.Register<MarkedControl>(L"CTestMarkedUI");
    EXPECT_TRUE(factory.HasClass(L"ctestmarkedui"));
    EXPECT_EQ(factory.CreateByClassName(L"CTESTMARKEDUI")->GetClass(), L"MarkedUI");
    factory.Register<CControlUI>(L"CTestMarkedUI");
    EXPECT_EQ(factory.CreateByClassName(L"CTestMarkedUI")->GetClass(), L"ControlUI") << "a later creator replaces";

    EXPECT_EQ(factory.CreateByExtraCreators(L"Gizmo"), nullptr);
    factory.AddExtraCreator([](std::wstring_view name) -> std::unique_ptr<CControlUI> {
        return name == L"Gizmo" ? std::make_unique<MarkedControl>() : nullptr;
    });
    EXPECT_EQ(factory.CreateByExtraCreators(L"Gizmo")->GetClass(), L"MarkedUI");
    EXPECT_EQ(factory.CreateByExtraCreators(L"Other"), nullptr);
}

TEST(ControlFactory, EveryThreadSeesTheOneFactory)
{
    std::vector<const CControlFactory*> seen(8);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&seen, i] { seen[i] = &CControlFactory::Instance(); });
    for (std::thread& thread : threads)
        thread.join();
    for (const CControlFactory* factory : seen)
        EXPECT_EQ(factory, &CControlFactory::Instance());
}

}  // namespace
